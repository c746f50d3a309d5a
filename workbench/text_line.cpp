#include "text_line.h"

std::size_t ReadTextLine(std::FILE* pFile, std::string& strLine, std::size_t nKeep,
                         bool bStopPastKeep) {
    strLine.clear();
    std::size_t nLength = 0;
    bool bAnything = false;
    int c = EOF;
    while ((c = std::getc(pFile)) != EOF) {
        bAnything = true;
        if (c == '\n') break;
        ++nLength;
        if (nLength <= nKeep) {
            strLine.push_back(static_cast<char>(c));
        } else if (bStopPastKeep) {
            return nLength;
        }
    }
    if (!bAnything) return kNoLine;
    if (c == '\n' && nLength > 0 && nLength <= nKeep && strLine.back() == '\r') {
        strLine.pop_back();
        --nLength;
    }
    return nLength;
}
