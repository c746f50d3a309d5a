// velastro-cli batch: reads a table of stones, writes it back with each stone's weight and a
// total on standard error, in memory that does not grow with the rows. No GUI, no CLI parsing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iosfwd>
#include <string>

#include "formula_file.h"
#include "stone_corrections.h"

// Which decimal mark numbers are read and written with.
enum class EDecimalMark {
    kAuto,   // read '.' and, where the delimiter is ';' or tab, ','; write ',' only with ';'
    kPoint,  // read and write '.'
    kComma,  // read and write ','
};

struct BatchOptions {
    std::string path;               // "" or "-": standard input
    CStoneCorrections corrections;  // the girdle and gem columns override theirs per row
    int decimals = 6;               // the window's six
    EDecimalMark decimalMark = EDecimalMark::kAuto;
    std::size_t maxLine = kFormulaLineLimit;  // longest record read, in bytes
};

// Exit status: 0 when every row was estimated, 1 when a row has an error, 2 for a header that
// lacks a needed column (or a file that cannot be opened), 3 when reading failed or a row was
// longer than maxLine. nProgressBytes, when not 0, is the input's size for a progress bar on err.
int RunBatch(const BatchOptions& options, std::FILE* pIn, std::ostream& out, std::ostream& err,
             std::uint64_t nProgressBytes = 0);

// RunBatch on options.path, or on standard input; a progress bar when err is a terminal.
int RunBatchPath(const BatchOptions& options, std::ostream& out, std::ostream& err);
