// The engine against muparser on the estimator's own formulas, so a slowdown shows in numbers:
// the same text again (replayed), a text the parser has not just read, and the window's way.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "formula_parser.h"

namespace {

// Millimetre measures the dialog would load: length, width, depth.
constexpr double kB = 6.0;
constexpr double kF = 4.0;
constexpr double kG = 3.0;
// The oval formula at these measures; a different answer means the engine is broken.
constexpr double kOvalCarat = 0.4875;
constexpr double kTolerance = 1e-12;

const std::vector<std::string>& ShapeFormulas() {
    static const std::vector<std::string> formulas = {"(B/2*B/2*G*.0245)*1.05",
                                                      "(B+F)/2*(B+F)/2*G*.0065",
                                                      "(B*2/3)*B*G*.013",
                                                      "(B-(F/3))*F*G*.013",
                                                      "(B-(F/3))*F*G*.0079",
                                                      "B*F*G*.0062",
                                                      "B*F*G*.0057",
                                                      "B*F*G*.0060"};
    return formulas;
}

const std::vector<std::string>& FunctionFormulas() {
    static const std::vector<std::string> formulas = {"sqr(B*B+F*F)+sin(rad(30))*ln(G)+exp(1)^2",
                                                      "abs(G-B)*cos(rad(60))+tanh(F/B)"};
    return formulas;
}

// The engine's spellings, so muparser computes the very same functions.
double SquareRoot(double a) {
    return std::sqrt(a);
}
double DegreesToRadians(double a) {
    return a * 3.141592653589793 / 180.0;
}

// Shared by every muparser object: DefineVar keeps pointers, so these must never move.
double g_muB = kB;
double g_muF = kF;
double g_muG = kG;

void PrepareMuparser(mu::Parser& parser) {
    parser.DefineVar("B", &g_muB);
    parser.DefineVar("F", &g_muF);
    parser.DefineVar("G", &g_muG);
    parser.DefineFun("sqr", SquareRoot);
    parser.DefineFun("rad", DegreesToRadians);
}

// The dialog loads all nine slots before every estimate, unused ones as zero.
void LoadDialogConstants(CFormulaParser& parser) {
    parser.SetFunctConst(1, kB);
    parser.SetFunctConst(2, kF);
    parser.SetFunctConst(3, kG);
    for (int index = 4; index <= 9; ++index)
        parser.SetFunctConst(index, 0.0);
}

// Time per formula, whatever the number of formulas per iteration; shown as e.g. "130ns".
void CountPerFormula(benchmark::State& state, std::size_t count) {
    state.counters["per_formula"] = benchmark::Counter(
        static_cast<double>(count),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The window's way: a fresh parser for every calculation, all nine constants loaded.
void EngineDialog(benchmark::State& state, const std::vector<std::string>* formulas) {
    std::uint16_t errorPosition = 0;
    std::string errorText;
    for (auto _ : state) {
        for (const std::string& formula : *formulas) {
            CFormulaParser parser;
            LoadDialogConstants(parser);
            benchmark::DoNotOptimize(parser.Calculation(formula, 0.0, errorPosition, errorText));
        }
    }
    CountPerFormula(state, formulas->size());
}

// One parser given the formulas in turn, so that each text differs from the one it read last.
void EngineFirst(benchmark::State& state, const std::vector<std::string>* formulas) {
    CFormulaParser parser;
    LoadDialogConstants(parser);
    std::uint16_t errorPosition = 0;
    std::string errorText;
    for (auto _ : state) {
        for (const std::string& formula : *formulas)
            benchmark::DoNotOptimize(parser.Calculation(formula, 0.0, errorPosition, errorText));
    }
    CountPerFormula(state, formulas->size());
}

// A parser per formula, each given its own text again and again, as muparser_prepared is.
void EngineRepeated(benchmark::State& state, const std::vector<std::string>* formulas) {
    std::vector<std::unique_ptr<CFormulaParser>> parsers;
    std::uint16_t errorPosition = 0;
    std::string errorText;
    for (const std::string& formula : *formulas) {
        parsers.push_back(std::make_unique<CFormulaParser>());
        LoadDialogConstants(*parsers.back());
        for (int warmUp = 0; warmUp < 3; ++warmUp)  // past the first readings of the text
            parsers.back()->Calculation(formula, 0.0, errorPosition, errorText);
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < parsers.size(); ++i) {
            benchmark::DoNotOptimize(
                parsers[i]->Calculation((*formulas)[i], 0.0, errorPosition, errorText));
        }
    }
    CountPerFormula(state, formulas->size());
}

// What the by-value formula argument alone costs the engine: one string copy per call.
void ArgumentCopy(benchmark::State& state, const std::vector<std::string>* formulas) {
    for (auto _ : state) {
        for (const std::string& formula : *formulas) {
            std::string copy(formula);
            benchmark::DoNotOptimize(copy.data());
        }
    }
    CountPerFormula(state, formulas->size());
}

void MuparserReparse(benchmark::State& state, const std::vector<std::string>* formulas) {
    mu::Parser parser;
    PrepareMuparser(parser);
    for (auto _ : state) {
        for (const std::string& formula : *formulas) {
            parser.SetExpr(formula);
            benchmark::DoNotOptimize(parser.Eval());
        }
    }
    CountPerFormula(state, formulas->size());
}

void MuparserPrepared(benchmark::State& state, const std::vector<std::string>* formulas) {
    std::vector<std::unique_ptr<mu::Parser>> parsers;
    for (const std::string& formula : *formulas) {
        parsers.push_back(std::make_unique<mu::Parser>());
        PrepareMuparser(*parsers.back());
        parsers.back()->SetExpr(formula);
        parsers.back()->Eval();  // the first Eval compiles; only the later ones are measured
    }
    for (auto _ : state) {
        for (const std::unique_ptr<mu::Parser>& parser : parsers)
            benchmark::DoNotOptimize(parser->Eval());
    }
    CountPerFormula(state, formulas->size());
}

bool Agree(double a, double b) {
    return std::fabs(a - b) <= kTolerance * std::max({1.0, std::fabs(a), std::fabs(b)});
}

double EngineValue(const std::string& formula, bool& ok) {
    CFormulaParser parser;
    LoadDialogConstants(parser);
    std::uint16_t errorPosition = 0;
    std::string errorText;
    const double value = parser.Calculation(formula, 0.0, errorPosition, errorText);
    if (errorPosition != 0 || !errorText.empty()) {
        std::fprintf(stderr, "engine reports an error for %s: position %u, \"%s\"\n",
                     formula.c_str(), static_cast<unsigned>(errorPosition), errorText.c_str());
        ok = false;
    }
    return value;
}

// Both libraries must compute the same numbers, or the timings compare different work.
bool VerifyFormulas() {
    bool ok = true;
    const double oval = EngineValue(ShapeFormulas()[1], ok);
    if (!Agree(oval, kOvalCarat)) {
        std::fprintf(stderr, "engine gives %.17g for the oval formula, expected %.17g\n", oval,
                     kOvalCarat);
        ok = false;
    }
    mu::Parser muparser;
    PrepareMuparser(muparser);
    for (const auto* set : {&ShapeFormulas(), &FunctionFormulas()}) {
        for (const std::string& formula : *set) {
            const double fresh = EngineValue(formula, ok);
            std::uint16_t errorPosition = 0;
            std::string errorText;
            // The same text evaluated again on one parser: the first reading, then the replays.
            CFormulaParser reused;
            LoadDialogConstants(reused);
            double again = 0.0;
            for (int call = 0; call < 4; ++call)
                again = reused.Calculation(formula, 0.0, errorPosition, errorText);
            double reference = 0.0;
            try {
                muparser.SetExpr(formula);
                reference = muparser.Eval();
            } catch (const mu::Parser::exception_type& e) {
                std::fprintf(stderr, "muparser rejects %s: %s\n", formula.c_str(),
                             e.GetMsg().c_str());
                ok = false;
                continue;
            }
            if (!Agree(fresh, reference) || again != fresh) {
                std::fprintf(stderr, "%s: engine %.17g (again %.17g), muparser %.17g\n",
                             formula.c_str(), fresh, again, reference);
                ok = false;
            }
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (!VerifyFormulas()) {
        std::fprintf(stderr, "engine and muparser disagree; not benchmarking\n");
        return EXIT_FAILURE;
    }
    const std::vector<std::string>* shapes = &ShapeFormulas();
    const std::vector<std::string>* functions = &FunctionFormulas();
    for (const auto& [suffix, set] :
         {std::make_pair("/shapes8", shapes), std::make_pair("/functions", functions)}) {
        const std::string tail = suffix;
        benchmark::RegisterBenchmark(("engine_repeated" + tail).c_str(), EngineRepeated, set);
        benchmark::RegisterBenchmark(("engine_first" + tail).c_str(), EngineFirst, set);
        benchmark::RegisterBenchmark(("engine_dialog" + tail).c_str(), EngineDialog, set);
        benchmark::RegisterBenchmark(("argument_copy" + tail).c_str(), ArgumentCopy, set);
        benchmark::RegisterBenchmark(("muparser_reparse" + tail).c_str(), MuparserReparse, set);
        benchmark::RegisterBenchmark(("muparser_prepared" + tail).c_str(), MuparserPrepared, set);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return EXIT_FAILURE;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
