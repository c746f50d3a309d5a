#include "progress_meter.h"

#include <sys/stat.h>

#include <ostream>
#include <string>

#include "decimal_text.h"

#ifdef _WIN32
#include <io.h>
#define VELASTRO_ISATTY _isatty
#define VELASTRO_FILENO _fileno
#else
#include <unistd.h>
#define VELASTRO_ISATTY isatty
#define VELASTRO_FILENO fileno
#endif

namespace {

constexpr std::uint64_t kRowsBetweenClockReads = 1024;
constexpr auto kRedrawInterval = std::chrono::milliseconds(200);
constexpr int kBarWidth = 20;

}  // namespace

CProgressMeter::CProgressMeter(std::ostream& err, std::uint64_t nTotalBytes)
    : m_err(err),
      m_nTotalBytes(nTotalBytes),
      m_start(std::chrono::steady_clock::now()),
      m_lastDraw(m_start) {}

void CProgressMeter::Update(std::uint64_t nRows, std::uint64_t nBytes) {
    if (m_nTotalBytes == 0 || nRows % kRowsBetweenClockReads != 0) return;
    if (std::chrono::steady_clock::now() - m_lastDraw >= kRedrawInterval) Draw(nRows, nBytes);
}

void CProgressMeter::Draw(std::uint64_t nRows, std::uint64_t nBytes) {
    m_lastDraw = std::chrono::steady_clock::now();
    const double dSeconds = std::chrono::duration<double>(m_lastDraw - m_start).count();
    const double dDone = nBytes >= m_nTotalBytes ? 1.0 : double(nBytes) / double(m_nTotalBytes);
    const double dLeft = dDone > 0 ? dSeconds * (1 - dDone) / dDone : 0.0;
    const int nFilled = static_cast<int>(dDone * kBarWidth);
    m_err << '\r' << nRows << " rows, " << FormatFixed(dSeconds > 0 ? nRows / dSeconds : 0, 0)
          << " rows/s, " << FormatFixed(dLeft, 0) << " s left [" << std::string(nFilled, '#')
          << std::string(kBarWidth - nFilled, ' ') << "] " << FormatFixed(dDone * 100, 0) << "% "
          << std::flush;
    m_bDrawn = true;
}

void CProgressMeter::Finish() {
    if (m_bDrawn) m_err << '\r' << std::string(79, ' ') << '\r' << std::flush;
}

bool WantsProgress(std::FILE* pIn, std::uint64_t& nBytes) {
    struct stat info;
    if (!VELASTRO_ISATTY(2) || fstat(VELASTRO_FILENO(pIn), &info) != 0) return false;
    if ((info.st_mode & S_IFMT) != S_IFREG || info.st_size <= 0) return false;
    nBytes = static_cast<std::uint64_t>(info.st_size);
    return true;
}
