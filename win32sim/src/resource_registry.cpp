// The module handle and file name, the .res parser and FindResource/LoadResource & co.

#include "resource_registry.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include <windows.h>

#include "ascii_case.h"
#include "win32sim/sim_screen.h"

namespace win32sim {
namespace {

std::vector<std::unique_ptr<CResourceEntry>>& Registry() {
    static std::vector<std::unique_ptr<CResourceEntry>> entries;
    return entries;
}

// Reads the .res image's little-endian fields with bounds checks.
class CResReader {
public:
    CResReader(const std::uint8_t* p, std::size_t n) : m_p(p), m_nSize(n) {}
    bool Ok() const { return m_bOk; }
    std::size_t Offset() const { return m_nOffset; }
    bool AtEnd() const { return m_nOffset >= m_nSize; }
    void Seek(std::size_t nOffset) {
        if (nOffset > m_nSize) m_bOk = false;
        m_nOffset = nOffset;
    }
    WORD Word() {
        if (m_nOffset + 2 > m_nSize) return Fail();
        WORD n = static_cast<WORD>(m_p[m_nOffset] | (m_p[m_nOffset + 1] << 8));
        m_nOffset += 2;
        return n;
    }
    DWORD Dword() {
        DWORD nLow = Word();
        return nLow | (static_cast<DWORD>(Word()) << 16);
    }
    const std::uint8_t* Bytes(std::size_t n) {
        if (n > m_nSize - std::min(m_nOffset, m_nSize)) {
            Fail();
            return nullptr;
        }
        const std::uint8_t* p = m_p + m_nOffset;
        m_nOffset += n;
        return p;
    }

private:
    WORD Fail() {
        m_bOk = false;
        m_nOffset = m_nSize;
        return 0;
    }

    const std::uint8_t* m_p;
    std::size_t m_nSize;
    std::size_t m_nOffset = 0;
    bool m_bOk = true;
};

// An ordinal (kOrdinalMarker, id) or a zero-terminated UTF-16 string, taken as Latin-1.
CResourceKey ReadKey(CResReader& reader) {
    CResourceKey key;
    WORD nFirst = reader.Word();
    if (nFirst == kOrdinalMarker) {
        key.m_nId = reader.Word();
        return key;
    }
    key.m_bOrdinal = false;
    for (WORD ch = nFirst; ch != 0 && reader.Ok(); ch = reader.Word()) {
        key.m_strName += static_cast<char>(ch < 0x100 ? ch : '?');
    }
    key.m_strName = AsciiUpper(key.m_strName);
    return key;
}

bool SameKey(const CResourceKey& a, const CResourceKey& b) {
    if (a.m_bOrdinal != b.m_bOrdinal) return false;
    return a.m_bOrdinal ? a.m_nId == b.m_nId : a.m_strName == b.m_strName;
}

// One RESOURCEHEADER and its data; false at the end or on a malformed record.
bool ReadRecord(CResReader& reader, std::unique_ptr<CResourceEntry>& pEntry) {
    std::size_t nStart = reader.Offset();
    DWORD nDataSize = reader.Dword();
    DWORD nHeaderSize = reader.Dword();
    auto pNew = std::make_unique<CResourceEntry>();
    pNew->m_type = ReadKey(reader);
    pNew->m_name = ReadKey(reader);
    reader.Seek((reader.Offset() + 3) & ~static_cast<std::size_t>(3));
    reader.Dword();  // DataVersion
    reader.Word();   // MemoryFlags
    pNew->m_nLanguage = reader.Word();
    reader.Seek(nStart + nHeaderSize);
    const std::uint8_t* pData = reader.Bytes(nDataSize);
    if (!reader.Ok() || nHeaderSize < 32) return false;
    pNew->m_data.assign(pData, pData + nDataSize);
    reader.Seek((reader.Offset() + 3) & ~static_cast<std::size_t>(3));
    pEntry = std::move(pNew);
    return true;
}

}  // namespace

CResourceKey KeyFromArgument(LPCSTR psz) {
    CResourceKey key;
    if (IS_INTRESOURCE(psz)) {
        key.m_nId = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(psz));
        return key;
    }
    key.m_bOrdinal = false;
    key.m_strName = AsciiUpper(psz);
    return key;
}

const CResourceEntry* FindEntry(const CResourceKey& name, const CResourceKey& type) {
    for (const auto& pEntry : Registry()) {
        if (SameKey(pEntry->m_type, type) && SameKey(pEntry->m_name, name)) return pEntry.get();
    }
    return nullptr;
}

HMODULE ModuleHandle() {
    // The usual load address of an executable image.
    constexpr std::uintptr_t kImageBase = 0x400000;
    return reinterpret_cast<HMODULE>(kImageBase);
}

bool IsModule(HMODULE hModule) {
    return !hModule || hModule == ModuleHandle();
}

}  // namespace win32sim

using namespace win32sim;

// The empty first record and any record of type 0 carry nothing and are skipped.
void SimRegisterResources(const void* pData, std::size_t nSize) {
    if (!pData) return;
    CResReader reader(static_cast<const std::uint8_t*>(pData), nSize);
    while (!reader.AtEnd()) {
        std::unique_ptr<CResourceEntry> pEntry;
        if (!ReadRecord(reader, pEntry)) return;
        if (pEntry->m_type.m_bOrdinal && pEntry->m_type.m_nId == 0) continue;
        Registry().push_back(std::move(pEntry));
    }
}

HMODULE WINAPI GetModuleHandleA(LPCSTR pszModuleName) {
    if (!pszModuleName) return ModuleHandle();
    return nullptr;
}

// GetModuleFileNameA: a short buffer gets a truncated, terminated name and the full size back.
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR pszFileName, DWORD nSize) {
    if (!IsModule(hModule)) return 0;
    char szPath[4096];
    ssize_t nLength = readlink("/proc/self/exe", szPath, sizeof(szPath) - 1);
    if (nLength < 0 || !pszFileName || nSize == 0) return 0;
    std::size_t nPath = static_cast<std::size_t>(nLength);
    if (nPath >= nSize) {
        std::memcpy(pszFileName, szPath, nSize - 1);
        pszFileName[nSize - 1] = '\0';
        return nSize;
    }
    std::memcpy(pszFileName, szPath, nPath);
    pszFileName[nPath] = '\0';
    return static_cast<DWORD>(nPath);
}

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR pszName, LPCSTR pszType) {
    if (!IsModule(hModule) || !pszName || !pszType) return nullptr;
    CResourceKey type = KeyFromArgument(pszType);
    const CResourceEntry* pEntry = FindEntry(KeyFromArgument(pszName), type);
    if (!pEntry) return nullptr;
    return reinterpret_cast<HRSRC>(const_cast<CResourceEntry*>(pEntry));
}

HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
    if (!IsModule(hModule) || !hResInfo) return nullptr;
    CResourceEntry* pEntry = reinterpret_cast<CResourceEntry*>(hResInfo);
    // A zero-length resource still gets a distinct non-null handle.
    return pEntry->m_data.empty() ? static_cast<HGLOBAL>(pEntry) : pEntry->m_data.data();
}

LPVOID WINAPI LockResource(HGLOBAL hResData) {
    return hResData;
}

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    if (!IsModule(hModule) || !hResInfo) return 0;
    return static_cast<DWORD>(reinterpret_cast<CResourceEntry*>(hResInfo)->m_data.size());
}
