// LoadStringA: RT_STRING blocks of sixteen counted UTF-16 strings, block id = id / 16 + 1.

#include <windows.h>

#include "resource_registry.h"

using namespace win32sim;

namespace {

constexpr UINT kStringsPerBlock = 16;

// The string's UTF-16 units inside its block, or an empty range.
std::vector<WORD> StringFromBlock(UINT uID) {
    const WORD nBlock = static_cast<WORD>(LOWORD(uID) / kStringsPerBlock + 1);
    const CResourceEntry* pEntry =
        FindEntry(KeyFromArgument(MAKEINTRESOURCEA(nBlock)), KeyFromArgument(RT_STRING));
    if (!pEntry) return {};
    const std::vector<std::uint8_t>& data = pEntry->m_data;
    std::size_t nOffset = 0;
    auto readWord = [&data](std::size_t n) {
        return static_cast<WORD>(data[n] | (data[n + 1] << 8));
    };
    for (UINT nIndex = 0; nOffset + 2 <= data.size(); ++nIndex) {
        std::size_t nLength = readWord(nOffset);
        nOffset += 2;
        if (nOffset + 2 * nLength > data.size()) return {};
        if (nIndex == uID % kStringsPerBlock) {
            std::vector<WORD> units(nLength);
            for (std::size_t i = 0; i < nLength; ++i)
                units[i] = readWord(nOffset + 2 * i);
            return units;
        }
        nOffset += 2 * nLength;
    }
    return {};
}

}  // namespace

// LoadStringA: Latin-1 conversion; a zero-sized buffer is refused with -1, as Windows does.
int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR pszBuffer, int cchBufferMax) {
    if (cchBufferMax == 0) return -1;
    if (!pszBuffer || cchBufferMax < 0) return 0;
    pszBuffer[0] = '\0';
    if (!IsModule(hInstance)) return 0;
    std::vector<WORD> units = StringFromBlock(uID);
    std::size_t nCopy = std::min(units.size(), static_cast<std::size_t>(cchBufferMax - 1));
    for (std::size_t i = 0; i < nCopy; ++i) {
        pszBuffer[i] = static_cast<char>(units[i] < 0x100 ? units[i] : '?');
    }
    pszBuffer[nCopy] = '\0';
    return static_cast<int>(nCopy);
}
