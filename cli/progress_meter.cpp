#include "progress_meter.h"

#include <sys/stat.h>

#include <ostream>

#include "decimal_text.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(200);
constexpr int kBarWidth = 20;
constexpr int kDefaultColumns = 80;

// The terminal's width on standard error, or kDefaultColumns when it does not say.
int TerminalColumns() {
#ifdef _WIN32
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info))
        return info.srWindow.Right - info.srWindow.Left + 1;
#else
    winsize size{};
    if (ioctl(2, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
    return kDefaultColumns;
}

// True when standard output writes to the terminal standard error writes to.
bool OutputSharesTheTerminal() {
#ifdef _WIN32
    return _isatty(1) != 0;
#else
    struct stat out;
    struct stat err;
    return isatty(1) && fstat(1, &out) == 0 && fstat(2, &err) == 0 && out.st_rdev == err.st_rdev;
#endif
}

}  // namespace

CProgressMeter::CProgressMeter(std::ostream& err, std::uint64_t nTotalBytes, int nColumns)
    : m_err(err),
      m_nTotalBytes(nTotalBytes),
      m_nColumns(nColumns),
      m_start(std::chrono::steady_clock::now()),
      m_lastDraw(m_start - kRedrawInterval) {}  // the first update draws at once

void CProgressMeter::Update(std::uint64_t nRows, std::uint64_t nBytes) {
    m_nRows = nRows;
    m_nBytes = nBytes;
    if (m_nTotalBytes == 0) return;
    if (std::chrono::steady_clock::now() - m_lastDraw >= kRedrawInterval) Draw(nRows, nBytes);
}

// "12000 rows, 350000 rows/s, 3 s left [#####     ] 25%", shortened to fit the terminal.
std::string CProgressMeter::Line(std::uint64_t nRows, std::uint64_t nBytes) const {
    const double dSeconds = std::chrono::duration<double>(m_lastDraw - m_start).count();
    const double dDone = nBytes >= m_nTotalBytes ? 1.0 : double(nBytes) / double(m_nTotalBytes);
    const double dLeft = dDone > 0 ? dSeconds * (1 - dDone) / dDone : 0.0;
    const int nFilled = static_cast<int>(dDone * kBarWidth);
    const std::string strPercent = FormatFixed(dDone * 100, 0) + "%";
    const std::string strCounts = std::to_string(nRows) + " rows, " +
                                  FormatFixed(dSeconds > 0 ? nRows / dSeconds : 0, 0) +
                                  " rows/s, " + FormatFixed(dLeft, 0) + " s left";
    const std::string strBar =
        " [" + std::string(nFilled, '#') + std::string(kBarWidth - nFilled, ' ') + "] ";
    // The last column stays free: writing into it makes some terminals wrap.
    const std::size_t nRoom = static_cast<std::size_t>(m_nColumns > 1 ? m_nColumns - 1 : 0);
    std::string line = strCounts + strBar + strPercent;
    if (line.size() > nRoom) line = strCounts + " " + strPercent;
    if (line.size() > nRoom) line = strPercent;
    return line.substr(0, nRoom);
}

void CProgressMeter::Draw(std::uint64_t nRows, std::uint64_t nBytes) {
    m_lastDraw = std::chrono::steady_clock::now();
    const std::string line = Line(nRows, nBytes);
    m_err << '\r' << line << std::string(m_nColumns > 1 ? m_nColumns - 1 - line.size() : 0, ' ')
          << '\r' << line << std::flush;
    m_bDrawn = true;
}

void CProgressMeter::Clear() {
    if (!m_bDrawn) return;
    m_err << '\r' << std::string(m_nColumns > 1 ? m_nColumns - 1 : 0, ' ') << '\r' << std::flush;
    m_bDrawn = false;
}

void CProgressMeter::Redraw() {
    if (m_nTotalBytes > 0) Draw(m_nRows, m_nBytes);
}

bool WantsProgress(std::FILE* pIn, std::uint64_t& nBytes, int& nColumns) {
    struct stat info;
#ifdef _WIN32
    if (!_isatty(2) || fstat(_fileno(pIn), &info) != 0) return false;
#else
    if (!isatty(2) || fstat(fileno(pIn), &info) != 0) return false;
#endif
    if ((info.st_mode & S_IFMT) != S_IFREG || info.st_size <= 0) return false;
    if (OutputSharesTheTerminal()) return false;
    nBytes = static_cast<std::uint64_t>(info.st_size);
    nColumns = TerminalColumns();
    return true;
}
