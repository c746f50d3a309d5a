// The resources of the one module: entries parsed from the registered .res images.
// Filled during static initialisation, read on the UI thread; entries never move or go away.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "win32sim/types.h"

namespace win32sim {

// A name or type field holding this word is followed by an ordinal instead of a string; dialog
// templates use the same convention.
constexpr WORD kOrdinalMarker = 0xFFFF;

// A resource type or name: an ordinal, or an upper-case string.
struct CResourceKey {
    bool m_bOrdinal = true;
    WORD m_nId = 0;
    std::string m_strName;
};

struct CResourceEntry {
    CResourceKey m_type;
    CResourceKey m_name;
    WORD m_nLanguage = 0;
    std::vector<std::uint8_t> m_data;
};

// MAKEINTRESOURCE values and names (compared without case); no "#123" forms.
CResourceKey KeyFromArgument(LPCSTR psz);
const CResourceEntry* FindEntry(const CResourceKey& name, const CResourceKey& type);
HMODULE ModuleHandle();
// NULL or the module's own handle.
bool IsModule(HMODULE hModule);

}  // namespace win32sim
