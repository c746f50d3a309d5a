// Icons, cursors and bitmaps from resources (and the system's own), DrawIcon and friends.
// DIBs of 1, 4, 8, 24 and 32 bpp, uncompressed; PNG icons, icon files and OBM_ bitmaps are not
// read.

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include <windows.h>

#include "gdi_state.h"
#include "resource_registry.h"

using namespace win32sim;

namespace {

struct CIcon {
    CSurface m_color;  // 32 bpp, top-down
    CSurface m_mask;   // 1 bpp, top-down; white = screen shows through
    bool m_bIcon = true;
    POINT m_ptHotspot{0, 0};
    bool m_bShared = false;
};

struct CIconTable {
    std::map<std::uintptr_t, CIcon> m_icons;
    std::map<std::string, HICON> m_shared;
    std::uintptr_t m_nNext = 0x8000000;
};

CIconTable& Icons() {
    static CIconTable table;
    return table;
}

CIcon* LookupIcon(HICON hIcon) {
    auto it = Icons().m_icons.find(reinterpret_cast<std::uintptr_t>(hIcon));
    return it == Icons().m_icons.end() ? nullptr : &it->second;
}

HICON AddIcon(CIcon icon) {
    CIconTable& table = Icons();
    std::uintptr_t nHandle = table.m_nNext;
    table.m_nNext += 4;
    table.m_icons.emplace(nHandle, std::move(icon));
    return reinterpret_cast<HICON>(nHandle);
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
    if (n < 40) return false;
    DWORD nHeaderSize = ReadDword(p);
    LONG nHeight = static_cast<LONG>(ReadDword(p + 8));
    DWORD nCompression = ReadDword(p + 16);
    DWORD nUsed = ReadDword(p + 32);
    layout.m_cx = static_cast<LONG>(ReadDword(p + 4));
    layout.m_nBpp = ReadWord(p + 14);
    layout.m_bTopDown = nHeight < 0;
    layout.m_cy = (nHeight < 0 ? -nHeight : nHeight) / (bHalfHeight ? 2 : 1);
    bool bFormatOk = layout.m_nBpp == 1 || layout.m_nBpp == 4 || layout.m_nBpp == 8 ||
                     layout.m_nBpp == 24 || layout.m_nBpp == 32;
    bool bBitfields = nCompression == 3 && layout.m_nBpp == 32;
    if (nHeaderSize < 40 || nHeaderSize > n || !bFormatOk || (nCompression != 0 && !bBitfields)) {
        return false;
    }
    std::size_t nTable = layout.m_nBpp <= 8 ? (nUsed ? nUsed : (1u << layout.m_nBpp)) : 0;
    layout.m_nColors = nHeaderSize;
    layout.m_nBits = nHeaderSize + 4 * nTable + (bBitfields && nHeaderSize == 40 ? 12 : 0);
    layout.m_nStride = ((layout.m_cx * layout.m_nBpp + 31) / 32) * 4;
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
    const std::uint8_t* q = p + layout.m_nColors + 4 * nIndex;
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
    int nStride = ((layout.m_cx + 31) / 32) * 4;
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

const CResourceEntry* FindTyped(LPCSTR pszName, WORD nType) {
    CResourceKey type;
    type.m_nId = nType;
    return FindEntry(KeyFromArgument(pszName), type);
}

// The directory entry closest to the wanted size, then the deepest colour.
WORD BestImageId(const CResourceEntry& group, bool bIcon, int cx, int cy) {
    const std::vector<std::uint8_t>& data = group.m_data;
    if (data.size() < 6) return 0;
    WORD nCount = ReadWord(data.data() + 4);
    WORD nBest = 0;
    long nBestScore = -1;
    for (WORD i = 0; i < nCount && 6 + 14u * (i + 1) <= data.size(); ++i) {
        const std::uint8_t* pEntry = data.data() + 6 + 14 * i;
        int nWidth = bIcon ? (pEntry[0] ? pEntry[0] : 256) : ReadWord(pEntry);
        int nHeight = bIcon ? (pEntry[1] ? pEntry[1] : 256) : ReadWord(pEntry + 2) / 2;
        int nBpp = ReadWord(pEntry + 6);
        long nScore = (std::labs(nWidth - cx) + std::labs(nHeight - cy)) * 64L + (32 - nBpp);
        if (nBestScore < 0 || nScore < nBestScore) {
            nBestScore = nScore;
            nBest = ReadWord(pEntry + 12);
        }
    }
    return nBest;
}

bool DecodeIconImage(const CResourceEntry& image, bool bIcon, CIcon& icon) {
    const std::uint8_t* p = image.m_data.data();
    std::size_t n = image.m_data.size();
    if (!bIcon) {
        if (n < 4) return false;
        icon.m_ptHotspot = POINT{ReadWord(p), ReadWord(p + 2)};
        p += 4;
        n -= 4;
    }
    CDibLayout layout{};
    if (!ReadDibLayout(p, n, true, layout)) return false;
    icon.m_bIcon = bIcon;
    icon.m_color = DecodeColor(p, layout, 32);
    icon.m_mask = DecodeMask(p, n, layout);
    if (bIcon) icon.m_ptHotspot = POINT{layout.m_cx / 2, layout.m_cy / 2};
    return true;
}

// Loads RT_GROUP_ICON/RT_GROUP_CURSOR pszName at cx x cy (0: the chosen image's own size).
HICON LoadGroupImage(LPCSTR pszName, bool bIcon, int cx, int cy, bool bShared) {
    int nWantX = cx ? cx : GetSystemMetrics(bIcon ? SM_CXICON : SM_CXCURSOR);
    int nWantY = cy ? cy : GetSystemMetrics(bIcon ? SM_CYICON : SM_CYCURSOR);
    const CResourceEntry* pGroup = FindTyped(pszName, bIcon ? 14 : 12);
    if (!pGroup) return nullptr;
    WORD nImage = BestImageId(*pGroup, bIcon, nWantX, nWantY);
    const CResourceEntry* pImage = FindTyped(MAKEINTRESOURCEA(nImage), bIcon ? 3 : 1);
    CIcon icon;
    if (!pImage || !DecodeIconImage(*pImage, bIcon, icon)) return nullptr;
    int nWidth = cx ? cx : icon.m_color.Width();
    int nHeight = cy ? cy : icon.m_color.Height();
    icon.m_color = Scaled(icon.m_color, nWidth, nHeight);
    icon.m_mask = Scaled(icon.m_mask, nWidth, nHeight);
    icon.m_bShared = bShared;
    return AddIcon(std::move(icon));
}

std::string CacheKey(LPCSTR pszName, const char* pszKind, int cx, int cy) {
    std::string strKey = pszKind;
    if (IS_INTRESOURCE(pszName)) {
        strKey += "#" + std::to_string(reinterpret_cast<ULONG_PTR>(pszName));
    } else {
        strKey += ":" + KeyFromArgument(pszName).m_strName;
    }
    return strKey + "@" + std::to_string(cx) + "x" + std::to_string(cy);
}

HICON SharedGroupImage(LPCSTR pszName, bool bIcon, int cx, int cy) {
    std::string strKey = CacheKey(pszName, bIcon ? "icon" : "cursor", cx, cy);
    auto it = Icons().m_shared.find(strKey);
    if (it != Icons().m_shared.end()) return it->second;
    HICON hIcon = LoadGroupImage(pszName, bIcon, cx, cy, true);
    if (hIcon) Icons().m_shared[strKey] = hIcon;
    return hIcon;
}

bool InsideArrow(int x, int y) {
    return x <= y && y < 20 && x < 12;
}

// The system's own pictures, drawn at 32 x 32: a window for the application icons, a coloured
// disc for the message icons, an arrow for every cursor.
CIcon StockImage(WORD nId, bool bIcon) {
    CIcon icon;
    icon.m_bIcon = bIcon;
    icon.m_bShared = true;
    icon.m_color = CSurface(32, 32, 32, true);
    icon.m_mask = CSurface(32, 32, 1, true);
    icon.m_mask.Fill(RGB(255, 255, 255));
    COLORREF crDisc = nId == 32513   ? RGB(255, 0, 0)
                      : nId == 32515 ? RGB(255, 255, 0)
                                     : RGB(0, 0, 255);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            bool bInside = false;
            COLORREF cr = RGB(0, 0, 0);
            if (!bIcon) {
                bInside = InsideArrow(x, y);
                cr = (x == 0 || x == y || y == 19) ? RGB(0, 0, 0) : RGB(255, 255, 255);
            } else if (nId == 32512 || nId == 32517) {
                bInside = x >= 2 && x < 30 && y >= 4 && y < 28;
                bool bFrame = x == 2 || x == 29 || y == 4 || y == 27;
                cr = bFrame ? RGB(0, 0, 0) : y < 9 ? RGB(0, 0, 128) : RGB(255, 255, 255);
            } else {
                bInside = (x - 15) * (x - 15) + (y - 15) * (y - 15) <= 14 * 14;
                cr = crDisc;
            }
            if (!bInside) continue;
            icon.m_color.Set(x, y, cr);
            icon.m_mask.Set(x, y, RGB(0, 0, 0));
        }
    }
    return icon;
}

bool IsStockIconId(WORD nId) {
    return nId >= 32512 && nId <= 32517;
}

bool IsStockCursorId(WORD nId) {
    return (nId >= 32512 && nId <= 32516) || nId == 32640 || nId == 32641 || nId == 32642 ||
           nId == 32643 || nId == 32644 || nId == 32645 || nId == 32646 || nId == 32648 ||
           (nId >= 32649 && nId <= 32651);
}

HICON StockHandle(LPCSTR pszName, bool bIcon) {
    if (!IS_INTRESOURCE(pszName)) return nullptr;
    WORD nId = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(pszName));
    if (bIcon ? !IsStockIconId(nId) : !IsStockCursorId(nId)) return nullptr;
    std::string strKey = CacheKey(pszName, bIcon ? "stockicon" : "stockcursor", 32, 32);
    auto it = Icons().m_shared.find(strKey);
    if (it != Icons().m_shared.end()) return it->second;
    HICON hIcon = AddIcon(StockImage(nId, bIcon));
    Icons().m_shared[strKey] = hIcon;
    return hIcon;
}

HICON LoadIconOrCursor(HINSTANCE hInstance, LPCSTR pszName, bool bIcon) {
    if (!pszName) return nullptr;
    if (!hInstance) return StockHandle(pszName, bIcon);
    if (!IsModule(hInstance)) return nullptr;
    int cx = GetSystemMetrics(bIcon ? SM_CXICON : SM_CXCURSOR);
    int cy = GetSystemMetrics(bIcon ? SM_CYICON : SM_CYCURSOR);
    return SharedGroupImage(pszName, bIcon, cx, cy);
}

}  // namespace

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR pszIconName) {
    return LoadIconOrCursor(hInstance, pszIconName, true);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR pszCursorName) {
    return LoadIconOrCursor(hInstance, pszCursorName, false);
}

namespace {

std::vector<std::uint8_t> ReadBitmapFile(LPCSTR pszPath) {
    std::ifstream file(pszPath, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
    // Drop the BITMAPFILEHEADER; what follows is a packed DIB like an RT_BITMAP resource.
    if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M') return {};
    return std::vector<std::uint8_t>(bytes.begin() + 14, bytes.end());
}

// LR_LOADTRANSPARENT and LR_LOADMAP3DCOLORS are not applied (colours stay as stored).
HBITMAP BitmapFromDib(const std::vector<std::uint8_t>& dib, int cx, int cy, UINT fuLoad) {
    CDibLayout layout{};
    if (!ReadDibLayout(dib.data(), dib.size(), false, layout)) return nullptr;
    bool bDibSection = (fuLoad & LR_CREATEDIBSECTION) != 0;
    int nBpp = (fuLoad & LR_MONOCHROME) ? 1 : bDibSection ? (layout.m_nBpp == 32 ? 32 : 24) : 32;
    CSurface surface = DecodeColor(dib.data(), layout, nBpp);
    surface = Scaled(surface, cx ? cx : layout.m_cx, cy ? cy : layout.m_cy);
    if (bDibSection) {
        // A DIB section keeps the bottom-up row order of a resource bitmap.
        CSurface bottomUp(surface.Width(), surface.Height(), nBpp, false);
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x)
                bottomUp.Set(x, y, surface.Get(x, y));
        }
        surface = std::move(bottomUp);
    }
    return AddBitmap(std::move(surface), bDibSection);
}

HBITMAP LoadBitmapImage(HINSTANCE hInstance, LPCSTR pszName, int cx, int cy, UINT fuLoad) {
    if (fuLoad & LR_LOADFROMFILE) {
        return IS_INTRESOURCE(pszName) ? nullptr
                                       : BitmapFromDib(ReadBitmapFile(pszName), cx, cy, fuLoad);
    }
    if (!hInstance || !IsModule(hInstance)) return nullptr;
    const CResourceEntry* pEntry = FindTyped(pszName, 2);
    if (!pEntry) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return BitmapFromDib(pEntry->m_data, cx, cy, fuLoad);
}

HICON LoadIconImage(HINSTANCE hInstance, LPCSTR pszName, bool bIcon, int cx, int cy, UINT fuLoad) {
    if (fuLoad & LR_LOADFROMFILE) return nullptr;
    if (fuLoad & LR_DEFAULTSIZE) {
        if (!cx) cx = GetSystemMetrics(bIcon ? SM_CXICON : SM_CXCURSOR);
        if (!cy) cy = GetSystemMetrics(bIcon ? SM_CYICON : SM_CYCURSOR);
    }
    if (!hInstance) {
        HICON hStock = StockHandle(pszName, bIcon);
        if (!hStock || ((!cx || cx == 32) && (!cy || cy == 32))) return hStock;
        CIcon icon = *LookupIcon(hStock);
        icon.m_color = Scaled(icon.m_color, cx ? cx : 32, cy ? cy : 32);
        icon.m_mask = Scaled(icon.m_mask, cx ? cx : 32, cy ? cy : 32);
        icon.m_bShared = false;
        return AddIcon(std::move(icon));
    }
    if (!IsModule(hInstance)) return nullptr;
    if (fuLoad & LR_SHARED) return SharedGroupImage(pszName, bIcon, cx, cy);
    return LoadGroupImage(pszName, bIcon, cx, cy, false);
}

}  // namespace

HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR pszBitmapName) {
    return LoadBitmapImage(hInstance, pszBitmapName, 0, 0, 0);
}

HANDLE WINAPI LoadImageA(HINSTANCE hInstance, LPCSTR pszName, UINT nType, int cx, int cy,
                         UINT fuLoad) {
    if (!pszName || cx < 0 || cy < 0) return nullptr;
    switch (nType) {
        case IMAGE_BITMAP:
            return LoadBitmapImage(hInstance, pszName, cx, cy, fuLoad);
        case IMAGE_ICON:
            return LoadIconImage(hInstance, pszName, true, cx, cy, fuLoad);
        case IMAGE_CURSOR:
            return LoadIconImage(hInstance, pszName, false, cx, cy, fuLoad);
        default:
            return nullptr;
    }
}

// DestroyIcon leaves shared icons (LoadIcon, LR_SHARED, system icons) alone.
BOOL WINAPI DestroyIcon(HICON hIcon) {
    CIcon* pIcon = LookupIcon(hIcon);
    if (!pIcon) return FALSE;
    if (!pIcon->m_bShared) Icons().m_icons.erase(reinterpret_cast<std::uintptr_t>(hIcon));
    return TRUE;
}

BOOL WINAPI GetIconInfo(HICON hIcon, ICONINFO* piconinfo) {
    CIcon* pIcon = LookupIcon(hIcon);
    if (!pIcon || !piconinfo) return FALSE;
    piconinfo->fIcon = pIcon->m_bIcon;
    piconinfo->xHotspot = static_cast<DWORD>(pIcon->m_ptHotspot.x);
    piconinfo->yHotspot = static_cast<DWORD>(pIcon->m_ptHotspot.y);
    piconinfo->hbmMask = AddBitmap(pIcon->m_mask, false);
    piconinfo->hbmColor = AddBitmap(pIcon->m_color, false);
    return TRUE;
}

namespace {

COLORREF IconPixel(const CIcon& icon, UINT diFlags, int i, int j, int cx, int cy, COLORREF crDest) {
    int x = i * icon.m_color.Width() / cx;
    int y = j * icon.m_color.Height() / cy;
    COLORREF crMask = icon.m_mask.Get(x, y);
    COLORREF crColor = icon.m_color.Get(x, y);
    if ((diFlags & DI_NORMAL) == DI_MASK) return crDest & crMask;
    if ((diFlags & DI_NORMAL) == DI_IMAGE) return crColor;
    return ((crDest & crMask) ^ crColor) & 0xFFFFFFu;
}

}  // namespace

BOOL WINAPI DrawIconEx(HDC hdc, int x, int y, HICON hIcon, int cx, int cy, UINT,
                       HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
    CDeviceContext* pDC = LookupDC(hdc);
    CIcon* pIcon = LookupIcon(hIcon);
    if (!pDC || !pIcon || !(diFlags & DI_NORMAL)) return FALSE;
    bool bDefault = (diFlags & DI_DEFAULTSIZE) != 0;
    if (!cx)
        cx = bDefault ? GetSystemMetrics(pIcon->m_bIcon ? SM_CXICON : SM_CXCURSOR)
                      : pIcon->m_color.Width();
    if (!cy)
        cy = bDefault ? GetSystemMetrics(pIcon->m_bIcon ? SM_CYICON : SM_CYCURSOR)
                      : pIcon->m_color.Height();
    CSurface* pSurface = SurfaceOf(*pDC);
    if (pSurface) {
        RECT rcClip = DeviceClip(*pDC);
        bool bNullBrush = true;
        COLORREF crBrush = hbrFlickerFreeDraw ? BrushColor(hbrFlickerFreeDraw, &bNullBrush) : 0;
        for (int j = 0; j < cy; ++j) {
            for (int i = 0; i < cx; ++i) {
                int nDeviceX = x + i + pDC->m_ptOrigin.x;
                int nDeviceY = y + j + pDC->m_ptOrigin.y;
                if (nDeviceX < rcClip.left || nDeviceX >= rcClip.right) continue;
                if (nDeviceY < rcClip.top || nDeviceY >= rcClip.bottom) continue;
                if (!IsExposed(*pDC, nDeviceX, nDeviceY)) continue;
                COLORREF crDest = bNullBrush ? pSurface->Get(nDeviceX, nDeviceY) : crBrush;
                pSurface->Set(nDeviceX, nDeviceY, IconPixel(*pIcon, diFlags, i, j, cx, cy, crDest));
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

// DrawIcon draws at the system's icon size, whatever the icon's own size.
BOOL WINAPI DrawIcon(HDC hdc, int x, int y, HICON hIcon) {
    return DrawIconEx(hdc, x, y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
