// velastro-cli batch: feeds a table of stones from a file or standard input to the parcel and
// writes what it gives back: the rows to standard output, its messages and totals to standard
// error, with a progress bar on a terminal.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <memory>
#include <string>

#include "decimal_text.h"
#include "exit_status.h"
#include "parcel.h"
#include "progress_meter.h"
#include "stone_options.h"
#include "subcommand.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char kBatch[] = "velastro-cli batch: ";
constexpr std::size_t kReadChunk = 1 << 18;
constexpr std::size_t kOutputChunk = 1 << 16;

const char kBatchRules[] =
    "Reads a table of stones from FILE (standard input for '-' or none) and writes it to standard\n"
    "output with each stone's weight, in memory that does not grow with the rows.\n"
    "Input: CSV with a header row. The delimiter is the header's most frequent of ',' ';' and\n"
    "tab; fields may be quoted as RFC 4180 has it (\"a \"\"b\"\"\", line breaks inside quotes);\n"
    "lines end in LF or CR LF; a UTF-8 byte-order mark is skipped; empty lines are skipped.\n"
    "Columns by header name in any letter case: shape, length (or diameter), width (for the\n"
    "shapes that have one), depth, and optionally id, count (stones of that size, default 1),\n"
    "girdle and gem, which override --girdle and --gem for their row; other columns pass\n"
    "through. Numbers: 6.5, and where the delimiter is ';' or tab also 6,5.\n"
    "--decimal point|comma reads and writes only that mark.\n"
    "Output: the rows and columns in order, in the input's delimiter and line end, then carat\n"
    "(per stone; grams or points with --unit), carat_low and carat_high with --tolerance, and\n"
    "error, empty when the row is fine (input columns of these names are replaced). The\n"
    "weights have --decimals decimals, with a decimal comma where the delimiter is ';'.\n"
    "A row that cannot be estimated keeps its place with the reason in error. Standard error\n"
    "ends with the rows, stones, total weight and rows in error; a progress bar shows there\n"
    "when it is a terminal and FILE is a file.\n";

const char kBatchTail[] =
    "--against COLUMN: each row gains deviation_pct, its estimate's deviation in % from the\n"
    "weighed weight in COLUMN (in --unit); standard error ends with the bias, the median error "
    "and\n"
    "the 90th percentile of the errors by shape and of all, over the rows that have both.\n"
    "Exit status: 0, 1 when a row has an error, 2 for usage errors (a header without shape,\n"
    "length or depth, a FILE that cannot be opened), 3 when reading or writing failed or a row\n"
    "was longer than --max-line.\n"
    "Example: velastro-cli batch parcel.csv --girdle thick > weighed.csv";

struct BatchArgs {
    std::string strPath;  // "" or "-": standard input
    std::string strDecimalMark = "auto";
    ParcelOptions options;
    StoneArgs stone;
};

int ExitStatus(EParcelStatus eStatus) {
    switch (eStatus) {
        case EParcelStatus::kWeighed:
            return kExitOk;
        case EParcelStatus::kRowErrors:
            return kExitEngineError;
        case EParcelStatus::kBadHeader:
            return kExitUsage;
        case EParcelStatus::kTooLong:
            return kExitInputOutput;
    }
    return kExitInputOutput;
}

// Writes the parcel's messages, each on a line of its own, the progress bar off its line.
void TellMessages(CParcel& parcel, CProgressMeter& progress) {
    if (parcel.Messages().empty()) return;
    progress.Clear();
    for (const std::string& message : parcel.Messages())
        std::cerr << kBatch << message << '\n';
    parcel.Messages().clear();
    progress.Redraw();
}

// Feeds the whole input to the parcel; false when reading it failed.
bool FeedAll(std::FILE* pIn, CParcel& parcel, std::uint64_t nProgressBytes, int nColumns) {
    CProgressMeter progress(std::cerr, nProgressBytes, nColumns);
    std::unique_ptr<char[]> buffer(new char[kReadChunk]);
    std::string strOut;
    std::uint64_t nBytes = 0;
    while (std::cout && !parcel.Refused()) {
        const std::size_t nRead = std::fread(buffer.get(), 1, kReadChunk, pIn);
        if (nRead == 0) break;
        nBytes += nRead;
        parcel.Feed(std::string_view(buffer.get(), nRead), strOut);
        TellMessages(parcel, progress);
        if (strOut.size() >= kOutputChunk) {
            std::cout.write(strOut.data(), static_cast<std::streamsize>(strOut.size()));
            strOut.clear();
        }
        progress.Update(parcel.Rows(), nBytes);
    }
    const bool bReadFailed = std::ferror(pIn) != 0;
    if (!bReadFailed) parcel.Finish(strOut);
    progress.Finish();
    TellMessages(parcel, progress);
    std::cout.write(strOut.data(), static_cast<std::streamsize>(strOut.size()));
    std::cout.flush();
    return !bReadFailed;
}

int RunBatch(BatchArgs& args) {
    args.options.eDecimalMark = args.strDecimalMark == "point"   ? EDecimalMark::kPoint
                                : args.strDecimalMark == "comma" ? EDecimalMark::kComma
                                                                 : EDecimalMark::kAuto;
    if (!TakeStoneOptions(args.stone, kBatch, args.options.stone)) return kExitUsage;
    const bool bStdin = args.strPath.empty() || args.strPath == "-";
#ifdef _WIN32
    // Bytes as they are: text mode would turn CR LF into LF, and stop at a Ctrl-Z.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(1, _O_BINARY);
#endif
    std::FILE* pIn = bStdin ? stdin : std::fopen(args.strPath.c_str(), "rb");
    if (pIn == nullptr) {
        std::cerr << kBatch << "Can not open the file " << args.strPath << ": "
                  << std::strerror(errno) << '\n';
        return kExitUsage;
    }
    std::uint64_t nProgressBytes = 0;
    int nColumns = 0;
    if (!WantsProgress(pIn, nProgressBytes, nColumns)) nProgressBytes = 0;
    CParcel parcel(args.options);
    const bool bRead = FeedAll(pIn, parcel, nProgressBytes, nColumns);
    const int nReadErrno = errno;
    if (!bStdin) std::fclose(pIn);
    if (!bRead)
        std::cerr << kBatch << "cannot read the input: " << std::strerror(nReadErrno) << '\n';
    // A run whose output failed has no total to tell; main reports the failure.
    if (std::cout && !parcel.Refused()) {
        std::cerr << kBatch << parcel.SummaryText() << '\n';
        for (const std::string& line : parcel.AgainstLines())
            std::cerr << kBatch << line << '\n';
    }
    return bRead ? ExitStatus(parcel.Status()) : kExitInputOutput;
}

}  // namespace

Subcommand AddBatch(CLI::App& app) {
    CLI::App* batch = app.add_subcommand("batch", "a parcel: a CSV table of stones, weighed");
    batch->footer(std::string(kBatchRules) + kStoneOptionsHelp + kWeightOptionsHelp + kBatchTail);
    auto args = std::make_shared<BatchArgs>();
    batch->add_option("FILE", args->strPath, "the table; '-' or none: standard input");
    AddDecimalsOption(batch, args->options.nDecimals, "weights", kMostDecimals);
    batch->add_option("--decimal", args->strDecimalMark, "auto, point or comma (default auto)")
        ->type_name("MARK")
        ->transform(OneOf({"auto", "point", "comma"}));
    batch
        ->add_option("--max-line", args->options.nMaxLine,
                     "longest row read, in bytes (default " + std::to_string(kDefaultMaxLine) + ")")
        ->type_name("BYTES")
        ->check(CLI::Range(std::size_t{1}, std::numeric_limits<std::size_t>::max() / 2));
    batch
        ->add_option("--against", args->options.strAgainst,
                     "a column of weighed weights (in --unit) to compare the estimates with")
        ->type_name("COLUMN");
    AddStoneOptions(batch, args->stone, true);
    return {batch, [args] { return RunBatch(*args); }};
}
