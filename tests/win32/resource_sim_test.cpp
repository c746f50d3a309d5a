// The stand-in's .res reader: records as windres writes them, odd name lengths, damaged images.
// Native host only (SimRegisterResources has no Windows counterpart).

#ifndef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "win32sim/sim_screen.h"

namespace {

// Writes RESOURCEHEADER records the way the 32-bit .res format lays them out.
class CResImage {
public:
    CResImage() { Add(Ordinal(0), Ordinal(0), {}); }

    static std::vector<BYTE> Ordinal(WORD nId) {
        return {0xFF, 0xFF, static_cast<BYTE>(nId & 0xFF), static_cast<BYTE>(nId >> 8)};
    }
    static std::vector<BYTE> Name(const char* psz) {
        std::vector<BYTE> bytes;
        for (; *psz; ++psz) {
            bytes.push_back(static_cast<BYTE>(*psz));
            bytes.push_back(0);
        }
        bytes.insert(bytes.end(), {0, 0});
        return bytes;
    }
    void Add(const std::vector<BYTE>& type, const std::vector<BYTE>& name,
             const std::vector<BYTE>& data) {
        std::vector<BYTE> header;
        header.insert(header.end(), type.begin(), type.end());
        header.insert(header.end(), name.begin(), name.end());
        while (header.size() % 4)
            header.push_back(0);
        const BYTE tail[16] = {0, 0, 0, 0, 0x30, 0x10, 0x09, 0x04};
        header.insert(header.end(), tail, tail + 16);
        Dword(static_cast<DWORD>(data.size()));
        Dword(static_cast<DWORD>(header.size() + 8));
        m_bytes.insert(m_bytes.end(), header.begin(), header.end());
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
    }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    void Dword(DWORD n) {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<BYTE>(n >> (8 * i)));
    }
    std::vector<BYTE> m_bytes;
};

std::string DataOf(LPCSTR pszName, LPCSTR pszType) {
    HRSRC hrsrc = FindResourceA(nullptr, pszName, pszType);
    if (!hrsrc) return "<missing>";
    const char* p = static_cast<const char*>(LockResource(LoadResource(nullptr, hrsrc)));
    return std::string(p, SizeofResource(nullptr, hrsrc));
}

TEST(SimRegisterResources, StringTypesAndOddLengthNames) {
    CResImage image;
    image.Add(CResImage::Name("MYTYPE"), CResImage::Name("ODD"), {'x', 'y', 'z'});
    image.Add(CResImage::Name("MYTYPE"), CResImage::Name("EVEN"), {'a'});
    image.Add(CResImage::Ordinal(10), CResImage::Ordinal(7001), {'1', '2', '3', '4', '5'});
    SimRegisterResources(image.Bytes().data(), image.Bytes().size());
    EXPECT_EQ("xyz", DataOf("ODD", "MYTYPE"));
    EXPECT_EQ("a", DataOf("even", "mytype"));
    EXPECT_EQ("12345", DataOf(MAKEINTRESOURCEA(7001), RT_RCDATA));
    EXPECT_EQ("<missing>", DataOf("ODD", RT_RCDATA));
}

// A damaged image gives up at the first record that does not fit; garbage gives nothing.
TEST(SimRegisterResources, TruncatedImageKeepsTheWholeRecordsAndGarbageIsIgnored) {
    CResImage image;
    image.Add(CResImage::Ordinal(10), CResImage::Ordinal(7101), {'o', 'k'});
    image.Add(CResImage::Ordinal(10), CResImage::Ordinal(7102), std::vector<BYTE>(64, 'z'));
    std::vector<BYTE> bytes = image.Bytes();
    bytes.resize(bytes.size() - 10);
    SimRegisterResources(bytes.data(), bytes.size());
    EXPECT_EQ("ok", DataOf(MAKEINTRESOURCEA(7101), RT_RCDATA));
    EXPECT_EQ("<missing>", DataOf(MAKEINTRESOURCEA(7102), RT_RCDATA));
    const BYTE garbage[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x02};
    SimRegisterResources(garbage, sizeof(garbage));
    SimRegisterResources(nullptr, 100);
    EXPECT_EQ(nullptr, FindResourceA(nullptr, MAKEINTRESOURCEA(1), RT_RCDATA));
}

// A string block for ids 7200..7215 with slots 0 and 2 filled, including a non-ASCII letter.
TEST(SimRegisterResources, StringBlockConvertsToLatin1) {
    std::vector<BYTE> block;
    auto addString = [&block](const std::u16string& str) {
        block.push_back(static_cast<BYTE>(str.size()));
        block.push_back(0);
        for (char16_t ch : str) {
            block.push_back(static_cast<BYTE>(ch & 0xFF));
            block.push_back(static_cast<BYTE>(ch >> 8));
        }
    };
    addString(u"Zero");
    addString(u"");
    addString(u"Gr\u00FC\u00DFe \u20AC");
    CResImage image;
    image.Add(CResImage::Ordinal(6), CResImage::Ordinal(7200 / 16 + 1), block);
    SimRegisterResources(image.Bytes().data(), image.Bytes().size());
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
