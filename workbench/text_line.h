// Reads text one line at a time in bounded memory: LF or CR LF ends a line, and no more of a
// line is kept than the caller allows. It neither decodes nor reports read errors (see ferror).
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

// Reads one line into strLine, keeping at most nKeep of its characters, and returns its length
// without the line end, or kNoLine when the file ended with nothing read. A CR right before the
// LF is dropped when the whole line was kept. With bStopPastKeep the reading stops at the first
// character past nKeep (the length returned is then nKeep + 1); otherwise the rest of the line
// is read and counted but not kept.
std::size_t ReadTextLine(std::FILE* pFile, std::string& strLine, std::size_t nKeep,
                         bool bStopPastKeep = false);
