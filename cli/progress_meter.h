// A one-line progress bar on a terminal for batch runs over a file of known size: rows, rows
// per second and time left, redrawn a few times a second, never wider than the terminal. It
// decides nothing about when to show.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iosfwd>
#include <string>

class CProgressMeter {
public:
    // Silent when nTotalBytes is 0; nColumns is the terminal's width.
    CProgressMeter(std::ostream& err, std::uint64_t nTotalBytes, int nColumns);

    // Cheap enough for every chunk: it looks at the clock once in a while.
    void Update(std::uint64_t nRows, std::uint64_t nBytes);
    // Takes the bar off its line, so a message can take it; Redraw puts it back below.
    void Clear();
    void Redraw();
    // Clears the bar for good, so the summary takes its line.
    void Finish() {
        Clear();
        m_nTotalBytes = 0;
    }

private:
    void Draw(std::uint64_t nRows, std::uint64_t nBytes);
    std::string Line(std::uint64_t nRows, std::uint64_t nBytes) const;

    std::ostream& m_err;
    std::uint64_t m_nTotalBytes;
    int m_nColumns;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
    std::uint64_t m_nRows = 0;
    std::uint64_t m_nBytes = 0;
    bool m_bDrawn = false;
};

// True when standard error is a terminal that standard output is not, and pIn a regular file;
// its size then lands in nBytes and the terminal's width in nColumns.
bool WantsProgress(std::FILE* pIn, std::uint64_t& nBytes, int& nColumns);
