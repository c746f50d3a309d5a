// The stand-in's .res reader: records as windres writes them, odd name lengths, damaged images.
// Native host only (SimRegisterResources has no Windows counterpart).

#ifndef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win32sim/sim_screen.h"

namespace {

using CBytes = std::vector<BYTE>;

CBytes Id(WORD nId) {
    return {0xFF, 0xFF, static_cast<BYTE>(nId & 0xFF), static_cast<BYTE>(nId >> 8)};
}

CBytes Name(const char* psz) {
    CBytes bytes;
    for (; *psz; ++psz)
        bytes.insert(bytes.end(), {static_cast<BYTE>(*psz), 0});
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

void Align(CBytes& bytes) {
    while (bytes.size() % 4)
        bytes.push_back(0);
}

// Appends a RESOURCEHEADER record the way the 32-bit .res format lays it out.
void AddRecord(CBytes& image, const CBytes& type, const CBytes& name, const CBytes& data) {
    CBytes header = type;
    header.insert(header.end(), name.begin(), name.end());
    Align(header);
    header.insert(header.end(), {0, 0, 0, 0, 0x30, 0x10, 0x09, 0x04, 0, 0, 0, 0, 0, 0, 0, 0});
    for (size_t n : {data.size(), header.size() + 8})
        for (int i = 0; i < 4; ++i)
            image.push_back(static_cast<BYTE>(n >> (8 * i)));
    image.insert(image.end(), header.begin(), header.end());
    image.insert(image.end(), data.begin(), data.end());
    Align(image);
}

// An image opening with the empty record windres writes first.
CBytes EmptyImage() {
    CBytes image;
    AddRecord(image, Id(0), Id(0), {});
    return image;
}

std::string DataOf(LPCSTR pszName, LPCSTR pszType) {
    HRSRC hrsrc = FindResourceA(nullptr, pszName, pszType);
    if (!hrsrc) return "<missing>";
    const char* p = static_cast<const char*>(LockResource(LoadResource(nullptr, hrsrc)));
    return std::string(p, SizeofResource(nullptr, hrsrc));
}

TEST(SimRegisterResources, StringTypesAndOddLengthNames) {
    CBytes image = EmptyImage();
    AddRecord(image, Name("MYTYPE"), Name("ODD"), {'x', 'y', 'z'});
    AddRecord(image, Name("MYTYPE"), Name("EVEN"), {'a'});
    AddRecord(image, Id(10), Id(7001), {'1', '2', '3', '4', '5'});
    SimRegisterResources(image.data(), image.size());
    EXPECT_EQ("xyz", DataOf("ODD", "MYTYPE"));
    EXPECT_EQ("a", DataOf("even", "mytype"));
    EXPECT_EQ("12345", DataOf(MAKEINTRESOURCEA(7001), RT_RCDATA));
    EXPECT_EQ("<missing>", DataOf("ODD", RT_RCDATA));
}

// A damaged image gives up at the first record that does not fit; garbage gives nothing.
TEST(SimRegisterResources, TruncatedImageKeepsTheWholeRecordsAndGarbageIsIgnored) {
    CBytes image = EmptyImage();
    AddRecord(image, Id(10), Id(7101), {'o', 'k'});
    AddRecord(image, Id(10), Id(7102), CBytes(64, 'z'));
    image.resize(image.size() - 10);
    SimRegisterResources(image.data(), image.size());
    EXPECT_EQ("ok", DataOf(MAKEINTRESOURCEA(7101), RT_RCDATA));
    EXPECT_EQ("<missing>", DataOf(MAKEINTRESOURCEA(7102), RT_RCDATA));
    const BYTE garbage[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x02};
    SimRegisterResources(garbage, sizeof(garbage));
    SimRegisterResources(nullptr, 100);
    EXPECT_EQ(nullptr, FindResourceA(nullptr, MAKEINTRESOURCEA(1), RT_RCDATA));
}

// A string block for ids 7200..7215 with slots 0 and 2 filled, including a non-ASCII letter.
TEST(SimRegisterResources, StringBlockConvertsToLatin1) {
    CBytes block;
    for (const std::u16string& str :
         {std::u16string(u"Zero"), std::u16string(), std::u16string(u"Gr\u00FC\u00DFe \u20AC")}) {
        block.insert(block.end(), {static_cast<BYTE>(str.size()), 0});
        for (char16_t ch : str)
            block.insert(block.end(), {static_cast<BYTE>(ch & 0xFF), static_cast<BYTE>(ch >> 8)});
    }
    CBytes image = EmptyImage();
    AddRecord(image, Id(6), Id(7200 / 16 + 1), block);
    SimRegisterResources(image.data(), image.size());
    char szText[32] = {};
    EXPECT_EQ(4, LoadStringA(nullptr, 7200, szText, sizeof(szText)));
    EXPECT_STREQ("Zero", szText);
    EXPECT_EQ(7, LoadStringA(nullptr, 7202, szText, sizeof(szText)));
    EXPECT_STREQ(
        "Gr\xFC\xDF"
        "e ?",
        szText)
        << "characters beyond Latin-1 become '?'";
}

}  // namespace

#endif  // _WIN32
