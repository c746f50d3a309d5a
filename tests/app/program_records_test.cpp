// The records Windows reads from the program file itself: the manifest that asks for the
// version 6 common controls on the build's processor, and the version record Explorer shows.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework.h"
#include "resource.h"

namespace {

// The loader refuses a manifest whose processor is not the program's own.
#ifdef _WIN64
const char kArchitecture[] = "amd64";
#else
const char kArchitecture[] = "x86";
#endif

std::string ResourceBytes(int nId, LPCSTR pszType) {
    HRSRC hInfo = FindResourceA(NULL, MAKEINTRESOURCEA(nId), pszType);
    if (hInfo == NULL) return std::string();
    const void* pData = LockResource(LoadResource(NULL, hInfo));
    return std::string(static_cast<const char*>(pData), SizeofResource(NULL, hInfo));
}

// A version record node: WORD length, value length, type, key, then value and children.
struct CVersionReader {
    const std::string& strBytes;
    std::map<std::string, std::string>
        mapValues;         // "VS_VERSION_INFO/StringFileInfo/040704b0/FileVersion" -> text
    std::string strFixed;  // VS_FIXEDFILEINFO

    WORD Word(std::size_t nAt) const {
        return static_cast<WORD>(static_cast<unsigned char>(strBytes[nAt]) |
                                 static_cast<unsigned char>(strBytes[nAt + 1]) << 8);
    }
    static std::size_t Aligned(std::size_t n) { return (n + 3) & ~std::size_t{3}; }

    // Reads UTF-16 text up to its NUL; the records hold ASCII only.
    std::string Text(std::size_t& nAt) const {
        std::string str;
        for (; Word(nAt) != 0; nAt += 2)
            str.push_back(static_cast<char>(Word(nAt)));
        nAt += 2;
        return str;
    }

    void Node(std::size_t nAt, const std::string& strParent) {
        const std::size_t nEnd = nAt + Word(nAt);
        const std::size_t nValue = Word(nAt + 2);
        const bool bText = Word(nAt + 4) == 1;
        std::size_t nPos = nAt + 6;
        const std::string strPath = strParent + Text(nPos);
        nPos = Aligned(nPos);
        if (strParent.empty()) {
            strFixed = strBytes.substr(nPos, nValue);
        } else if (bText && nValue > 0) {
            std::size_t nText = nPos;
            mapValues[strPath] = Text(nText);
        } else if (nValue == 4) {
            mapValues[strPath] = std::to_string(Word(nPos)) + "," + std::to_string(Word(nPos + 2));
        }
        nPos = Aligned(nPos + (bText ? nValue * 2 : nValue));
        while (nPos < nEnd) {
            Node(nPos, strPath + "/");
            nPos = Aligned(nPos + Word(nPos));
        }
    }

    DWORD Fixed(int nIndex) const {
        DWORD dw = 0;
        std::memcpy(&dw, strFixed.data() + 4 * nIndex, sizeof dw);
        return dw;
    }
};

// The project version as the record spells it: four numbers, and the text without trailing ".0"
// parts down to major.minor (1.2.0 is 1,2,0,0 and "1.2").
struct CProjectVersion {
    DWORD dwNumbers[4] = {};
    std::string strText;

    explicit CProjectVersion(const std::string& strVersion) {
        std::vector<std::string> parts;
        std::istringstream in(strVersion);
        for (std::string strPart; std::getline(in, strPart, '.');)
            parts.push_back(strPart);
        for (std::size_t i = 0; i < parts.size() && i < 4; ++i)
            dwNumbers[i] = static_cast<DWORD>(std::stoul(parts[i]));
        while (parts.size() > 2 && parts.back() == "0")
            parts.pop_back();
        for (const std::string& strPart : parts)
            strText += (strText.empty() ? "" : ".") + strPart;
    }
    DWORD High() const { return dwNumbers[0] << 16 | dwNumbers[1]; }
    DWORD Low() const { return dwNumbers[2] << 16 | dwNumbers[3]; }
};

}  // namespace

TEST(ProgramRecords, ManifestAsksForCommonControls6OnTheBuildsProcessor) {
    const std::string strManifest = ResourceBytes(IDR_MANIFEST, RT_MANIFEST);
    ASSERT_FALSE(strManifest.empty());
    EXPECT_NE(strManifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos)
        << strManifest;
    const std::string strArch = "processorArchitecture=\"" + std::string(kArchitecture) + "\"";
    int nNamed = 0;
    for (std::size_t n = strManifest.find("processorArchitecture="); n != std::string::npos;
         n = strManifest.find("processorArchitecture=", n + 1), ++nNamed)
        EXPECT_EQ(strManifest.compare(n, strArch.size(), strArch), 0) << strManifest.substr(n, 32);
    EXPECT_EQ(nNamed, 2) << "the program and the common controls it depends on";
}

TEST(ProgramRecords, VersionRecordNamesTheProjectVersion) {
    const CProjectVersion version(VELASTRO_PROJECT_VERSION);
    const std::string strBytes = ResourceBytes(IDR_VERSION, RT_VERSION);
    ASSERT_GT(strBytes.size(), 6u);
    CVersionReader reader{strBytes, {}, {}};
    reader.Node(0, "");
    ASSERT_EQ(reader.strFixed.size(), 52u) << "VS_FIXEDFILEINFO";
    EXPECT_EQ(reader.Fixed(0), 0xFEEF04BDu) << "signature";
    EXPECT_EQ(reader.Fixed(2), version.High()) << "file version of " VELASTRO_PROJECT_VERSION;
    EXPECT_EQ(reader.Fixed(3), version.Low()) << "file version of " VELASTRO_PROJECT_VERSION;
    EXPECT_EQ(reader.Fixed(4), version.High()) << "product version of " VELASTRO_PROJECT_VERSION;
    EXPECT_EQ(reader.Fixed(5), version.Low()) << "product version of " VELASTRO_PROJECT_VERSION;
    EXPECT_EQ(reader.Fixed(6), 0x3Fu) << "flags mask";
    EXPECT_EQ(reader.Fixed(8), static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(reader.Fixed(9), static_cast<DWORD>(VFT_APP));
    const std::map<std::string, std::string> expected = {
        {"VS_VERSION_INFO/StringFileInfo/040704b0/FileDescription", "Velastro"},
        {"VS_VERSION_INFO/StringFileInfo/040704b0/FileVersion", version.strText},
        {"VS_VERSION_INFO/StringFileInfo/040704b0/InternalName", "Parser"},
        {"VS_VERSION_INFO/StringFileInfo/040704b0/OriginalFilename", "Velastro.EXE"},
        {"VS_VERSION_INFO/StringFileInfo/040704b0/ProductName", "Velastro"},
        {"VS_VERSION_INFO/StringFileInfo/040704b0/ProductVersion", version.strText},
        {"VS_VERSION_INFO/VarFileInfo/Translation", "1031,1200"},
    };
    for (const auto& [strPath, strValue] : expected)
        EXPECT_EQ(reader.mapValues[strPath], strValue) << strPath;
}
