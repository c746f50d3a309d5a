// The options of a stone and of size from weight as a user types them, read into the core's
// records with the texts that say what is wrong; every face (velastro-cli, the page) reads its
// options here. It parses no command line and holds no option of its own.
#pragma once

#include <optional>
#include <string>

#include "shape_catalogue.h"
#include "stone_corrections.h"

// Each text as given; nullopt where the user gave none.
struct StoneOptionTexts {
    std::optional<std::string> girdle;
    std::optional<std::string> gem;
    std::optional<std::string> sg;
    std::optional<std::string> unit;
    std::optional<std::string> tolerance;
    std::optional<std::string> model;  // "window" or "measured"
    std::optional<std::string> table;
    bool bInterval = false;
};

// Reads the texts into stone; false with the reason ("--gem: unknown gem 'rubi'; did you mean
// ruby?") at the first text refused.
bool ReadStoneOptions(const StoneOptionTexts& texts, StoneOptions& stone, std::string& strError);

// What size is given beside the shape: the weight and the proportions, as typed.
struct SizeTexts {
    std::string weight;
    std::optional<std::string> depthPct;
    std::optional<std::string> ratio;
};

// The proportions for the shape (its defaults where none are given) and the weight above 0;
// false with the reason ("--ratio: the length of an Oval Brilliant is its longer measure, ...").
bool ReadSizeTexts(const Shape& shape, const SizeTexts& texts, double& dWeight, double& dDepthPct,
                   double& dRatio, std::string& strError);

// Why no size of the shape reaches the weight: "no Oval Brilliant of these proportions weighs
// 5000 ct".
std::string NoSizeText(const Shape& shape, const std::string& weight, const StoneOptions& stone);
