// A one-line progress bar on a terminal for batch runs over a file of known size: rows, rows
// per second and time left, redrawn a few times a second. It decides nothing about when to show.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iosfwd>

class CProgressMeter {
public:
    // Silent when nTotalBytes is 0.
    CProgressMeter(std::ostream& err, std::uint64_t nTotalBytes);

    // Cheap enough for every row: it looks at the clock once in a while.
    void Update(std::uint64_t nRows, std::uint64_t nBytes);
    // Clears the bar, so the summary takes its line.
    void Finish();

private:
    void Draw(std::uint64_t nRows, std::uint64_t nBytes);

    std::ostream& m_err;
    std::uint64_t m_nTotalBytes;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
    bool m_bDrawn = false;
};

// True when standard error is a terminal and pIn a regular file; its size then lands in nBytes.
bool WantsProgress(std::FILE* pIn, std::uint64_t& nBytes);
