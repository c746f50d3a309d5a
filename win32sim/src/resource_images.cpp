// Icons and bitmaps from the module's resources, and DrawIcon.
// DIBs of 1, 4, 8, 24 and 32 bpp, uncompressed; no cursors, system icons, PNG icons or files.

#include <cstddef>
#include <cstdlib>
#include <map>
#include <string>

#include <windows.h>

#include "gdi_state.h"
#include "handle_table.h"
#include "resource_registry.h"

using namespace win32sim;

namespace {

struct CIcon {
    CSurface m_color;  // 32 bpp, top-down
    CSurface m_mask;   // 1 bpp, top-down; white = screen shows through
};

constexpr std::uintptr_t kFirstIcon = 0x8000000;

struct CIconTable {
    CHandleTable<HICON, CIcon> m_icons{kFirstIcon};
    std::map<std::string, HICON> m_shared;  // LoadIcon gives one icon per resource name
};

CIconTable& Icons() {
    static CIconTable table;
    return table;
}

DWORD ReadDword(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24);
}

WORD ReadWord(const std::uint8_t* p) {
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

struct CDibLayout {
    int m_cx;
    int m_cy;
    int m_nBpp;
    bool m_bTopDown;
    std::size_t m_nColors;  // offset of the colour table
    std::size_t m_nBits;    // offset of the pixel rows
    int m_nStride;
};

// Reads a packed DIB's header; bHalfHeight for icon images (XOR and AND rows stacked).
bool ReadDibLayout(const std::uint8_t* p, std::size_t n, bool bHalfHeight, CDibLayout& layout) {
    constexpr std::size_t kHeaderSize = sizeof(BITMAPINFOHEADER);
    if (n < kHeaderSize) return false;
    DWORD nHeaderSize = ReadDword(p + offsetof(BITMAPINFOHEADER, biSize));
    LONG nHeight = static_cast<LONG>(ReadDword(p + offsetof(BITMAPINFOHEADER, biHeight)));
    DWORD nCompression = ReadDword(p + offsetof(BITMAPINFOHEADER, biCompression));
    DWORD nUsed = ReadDword(p + offsetof(BITMAPINFOHEADER, biClrUsed));
    layout.m_cx = static_cast<LONG>(ReadDword(p + offsetof(BITMAPINFOHEADER, biWidth)));
    layout.m_nBpp = ReadWord(p + offsetof(BITMAPINFOHEADER, biBitCount));
    layout.m_bTopDown = nHeight < 0;
    layout.m_cy = (nHeight < 0 ? -nHeight : nHeight) / (bHalfHeight ? 2 : 1);
    bool bFormatOk = layout.m_nBpp == 1 || layout.m_nBpp == 4 || layout.m_nBpp == 8 ||
                     layout.m_nBpp == 24 || layout.m_nBpp == 32;
    bool bBitfields = nCompression == BI_BITFIELDS && layout.m_nBpp == 32;
    if (nHeaderSize < kHeaderSize || nHeaderSize > n || !bFormatOk ||
        (nCompression != BI_RGB && !bBitfields)) {
        return false;
    }
    std::size_t nTable = layout.m_nBpp <= 8 ? (nUsed ? nUsed : (1u << layout.m_nBpp)) : 0;
    layout.m_nColors = nHeaderSize;
    // A plain header is followed by the three colour masks of BI_BITFIELDS; larger ones hold them.
    std::size_t nMasks = bBitfields && nHeaderSize == kHeaderSize ? 3 * sizeof(DWORD) : 0;
    layout.m_nBits = nHeaderSize + sizeof(RGBQUAD) * nTable + nMasks;
    layout.m_nStride = DibStride(layout.m_cx, layout.m_nBpp);
    std::size_t nNeed = layout.m_nBits + static_cast<std::size_t>(layout.m_nStride) * layout.m_cy;
    return layout.m_cx > 0 && layout.m_cy > 0 && nNeed <= n;
}

COLORREF DibPixel(const std::uint8_t* p, const CDibLayout& layout, int x, int y) {
    int nRow = layout.m_bTopDown ? y : layout.m_cy - 1 - y;
    const std::uint8_t* pRow =
        p + layout.m_nBits + static_cast<std::size_t>(nRow) * layout.m_nStride;
    if (layout.m_nBpp >= 24) {
        const std::uint8_t* q = pRow + x * (layout.m_nBpp / 8);
        return RGB(q[2], q[1], q[0]);
    }
    int nBit = x * layout.m_nBpp;
    int nShift = 8 - layout.m_nBpp - nBit % 8;
    int nIndex = (pRow[nBit / 8] >> nShift) & ((1 << layout.m_nBpp) - 1);
    const std::uint8_t* q = p + layout.m_nColors + sizeof(RGBQUAD) * nIndex;
    return RGB(q[2], q[1], q[0]);
}

CSurface DecodeColor(const std::uint8_t* p, const CDibLayout& layout, int nBpp) {
    CSurface surface(layout.m_cx, layout.m_cy, nBpp, true);
    for (int y = 0; y < layout.m_cy; ++y) {
        for (int x = 0; x < layout.m_cx; ++x)
            surface.Set(x, y, DibPixel(p, layout, x, y));
    }
    return surface;
}

// The AND mask: 1 bpp rows right after the colour rows, in the same row order.
CSurface DecodeMask(const std::uint8_t* p, std::size_t n, const CDibLayout& layout) {
    CSurface mask(layout.m_cx, layout.m_cy, 1, true);
    int nStride = DibStride(layout.m_cx, 1);
    std::size_t nStart = layout.m_nBits + static_cast<std::size_t>(layout.m_nStride) * layout.m_cy;
    if (nStart + static_cast<std::size_t>(nStride) * layout.m_cy > n) return mask;
    for (int y = 0; y < layout.m_cy; ++y) {
        int nRow = layout.m_bTopDown ? y : layout.m_cy - 1 - y;
        const std::uint8_t* pRow = p + nStart + static_cast<std::size_t>(nRow) * nStride;
        for (int x = 0; x < layout.m_cx; ++x) {
            bool bSet = pRow[x / 8] & (0x80 >> (x % 8));
            mask.Set(x, y, bSet ? RGB(255, 255, 255) : RGB(0, 0, 0));
        }
    }
    return mask;
}

CSurface Scaled(const CSurface& source, int cx, int cy) {
    if (source.Width() == cx && source.Height() == cy) return source;
    CSurface target(cx, cy, source.Bpp(), true);
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            target.Set(x, y, source.Get(x * source.Width() / cx, y * source.Height() / cy));
        }
    }
    return target;
}

const CResourceEntry* FindTyped(LPCSTR pszName, LPCSTR pszType) {
    return FindEntry(KeyFromArgument(pszName), KeyFromArgument(pszType));
}

// A group icon resource: a 6-byte header whose last word counts the entries, then 14-byte
// entries of width, height (a 0 byte meaning 256), colours, reserved, planes, bits per pixel,
// size and the RT_ICON id in the last word.
constexpr std::size_t kGroupHeaderSize = 6;
constexpr std::size_t kGroupCountOffset = 4;
constexpr std::size_t kGroupEntrySize = 14;
constexpr std::size_t kGroupEntryBppOffset = 6;
constexpr std::size_t kGroupEntryIdOffset = 12;
constexpr int kFullIconSize = 256;
constexpr int kDeepestBpp = 32;
// Size counts before colour depth when an entry is chosen.
constexpr long kSizeWeight = 64;

int IconSide(std::uint8_t nByte) {
    return nByte ? nByte : kFullIconSize;
}

// The directory entry closest to the wanted size, then the deepest colour.
WORD BestImageId(const CResourceEntry& group, int cx, int cy) {
    const std::vector<std::uint8_t>& data = group.m_data;
    if (data.size() < kGroupHeaderSize) return 0;
    WORD nCount = ReadWord(data.data() + kGroupCountOffset);
    WORD nBest = 0;
    long nBestScore = -1;
    for (WORD i = 0; i < nCount && kGroupHeaderSize + kGroupEntrySize * (i + 1) <= data.size();
         ++i) {
        const std::uint8_t* pEntry = data.data() + kGroupHeaderSize + kGroupEntrySize * i;
        int nWidth = IconSide(pEntry[0]);
        int nHeight = IconSide(pEntry[1]);
        int nBpp = ReadWord(pEntry + kGroupEntryBppOffset);
        long nScore =
            (std::labs(nWidth - cx) + std::labs(nHeight - cy)) * kSizeWeight + (kDeepestBpp - nBpp);
        if (nBestScore < 0 || nScore < nBestScore) {
            nBestScore = nScore;
            nBest = ReadWord(pEntry + kGroupEntryIdOffset);
        }
    }
    return nBest;
}

bool DecodeIconImage(const CResourceEntry& image, CIcon& icon) {
    CDibLayout layout{};
    if (!ReadDibLayout(image.m_data.data(), image.m_data.size(), true, layout)) return false;
    icon.m_color = DecodeColor(image.m_data.data(), layout, 32);
    icon.m_mask = DecodeMask(image.m_data.data(), image.m_data.size(), layout);
    return true;
}

// The group's image closest to the system's icon size, scaled to that size.
HICON LoadGroupIcon(LPCSTR pszName) {
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    const CResourceEntry* pGroup = FindTyped(pszName, RT_GROUP_ICON);
    if (!pGroup) return nullptr;
    WORD nImage = BestImageId(*pGroup, cx, cy);
    const CResourceEntry* pImage = FindTyped(MAKEINTRESOURCEA(nImage), RT_ICON);
    CIcon icon;
    if (!pImage || !DecodeIconImage(*pImage, icon)) return nullptr;
    icon.m_color = Scaled(icon.m_color, cx, cy);
    icon.m_mask = Scaled(icon.m_mask, cx, cy);
    return Icons().m_icons.Add(std::move(icon));
}

std::string CacheKey(LPCSTR pszName) {
    if (IS_INTRESOURCE(pszName)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(pszName));
    return KeyFromArgument(pszName).m_strName;
}

}  // namespace

// LoadIconA gives the same icon for the same name, never to be destroyed.
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR pszIconName) {
    if (!pszIconName || !hInstance || !IsModule(hInstance)) return nullptr;
    const std::string strKey = CacheKey(pszIconName);
    auto it = Icons().m_shared.find(strKey);
    if (it != Icons().m_shared.end()) return it->second;
    HICON hIcon = LoadGroupIcon(pszIconName);
    if (hIcon) Icons().m_shared[strKey] = hIcon;
    return hIcon;
}

namespace {

HBITMAP BitmapFromDib(const std::vector<std::uint8_t>& dib) {
    CDibLayout layout{};
    if (!ReadDibLayout(dib.data(), dib.size(), false, layout)) return nullptr;
    return AddBitmap(DecodeColor(dib.data(), layout, 32), false);
}

}  // namespace

HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR pszBitmapName) {
    if (!pszBitmapName || !hInstance || !IsModule(hInstance)) return nullptr;
    const CResourceEntry* pEntry = FindTyped(pszBitmapName, RT_BITMAP);
    return pEntry ? BitmapFromDib(pEntry->m_data) : nullptr;
}

namespace {

// Where the mask is white the screen shows through, combined with the colour by exclusive or.
COLORREF IconPixel(const CIcon& icon, int x, int y, COLORREF crDest) {
    return ((crDest & icon.m_mask.Get(x, y)) ^ icon.m_color.Get(x, y)) & 0xFFFFFFu;
}

}  // namespace

BOOL WINAPI DrawIcon(HDC hdc, int x, int y, HICON hIcon) {
    CDeviceContext* pDC = LookupDC(hdc);
    CIcon* pIcon = Icons().m_icons.Find(hIcon);
    if (!pDC || !pIcon) return FALSE;
    // Every icon was loaded at the system's icon size.
    const int cx = pIcon->m_color.Width();
    const int cy = pIcon->m_color.Height();
    if (CSurface* pSurface = SurfaceOf(*pDC)) {
        RECT rcClip = DeviceClip(*pDC);
        for (int j = 0; j < cy; ++j) {
            for (int i = 0; i < cx; ++i) {
                int nDeviceX = x + i + pDC->m_ptOrigin.x;
                int nDeviceY = y + j + pDC->m_ptOrigin.y;
                if (nDeviceX < rcClip.left || nDeviceX >= rcClip.right) continue;
                if (nDeviceY < rcClip.top || nDeviceY >= rcClip.bottom) continue;
                if (!IsExposed(*pDC, nDeviceX, nDeviceY)) continue;
                COLORREF crDest = pSurface->Get(nDeviceX, nDeviceY);
                pSurface->Set(nDeviceX, nDeviceY, IconPixel(*pIcon, i, j, crDest));
            }
        }
    }
    SimDrawOp op = MakeOp(SimDrawOp::Kind::DrawIcon);
    op.rc = RECT{x, y, x + cx, y + cy};
    op.hIcon = hIcon;
    op.x = x;
    op.y = y;
    LogOp(*pDC, std::move(op));
    return TRUE;
}
