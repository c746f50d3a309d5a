// Window classes: registration, lookup by name or atom, and the built-in control classes.
#include <strings.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "user_internal.h"

namespace win32sim {
namespace {

std::mutex g_classMutex;
std::vector<std::shared_ptr<CWndClass>> g_classes;
ATOM g_nNextAtom = 0xC000;

bool SameName(const std::string& str, LPCSTR psz) {
    return strcasecmp(str.c_str(), psz) == 0;
}

std::shared_ptr<CWndClass> FindLocked(LPCSTR pszName) {
    for (auto& pClass : g_classes) {
        if (IS_INTRESOURCE(pszName) ? pClass->m_nAtom == LOWORD(pszName)
                                    : SameName(pClass->m_strName, pszName))
            return pClass;
    }
    return nullptr;
}

ATOM AddLocked(const WNDCLASSA& wc, bool bSystem, ATOM nAtom) {
    auto pClass = std::make_shared<CWndClass>();
    pClass->m_strName = wc.lpszClassName;
    pClass->m_nAtom = nAtom ? nAtom : g_nNextAtom++;
    pClass->m_wc = wc;
    pClass->m_wc.lpszClassName = pClass->m_strName.c_str();
    pClass->m_wc.lpszMenuName = nullptr;
    pClass->m_bSystem = bSystem;
    g_classes.push_back(pClass);
    return pClass->m_nAtom;
}

struct CSystemClass {
    const char* pszName;
    WNDPROC pfnProc;
    int cbWndExtra;
    ATOM nAtom;
};

void RegisterSystemLocked() {
    static const CSystemClass classes[] = {
        {"Button", ButtonWndProc, 0, 0},
        {"Edit", EditWndProc, 0, 0},
        {"Static", StaticWndProc, 0, 0},
        {"#32770", DialogClassProc, static_cast<int>(DLGWINDOWEXTRA),
         static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(WC_DIALOG))},
        {"tooltips_class32", TooltipWndProc, 0, 0},
    };
    for (const CSystemClass& sys : classes) {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = sys.pfnProc;
        wc.cbWndExtra = sys.cbWndExtra;
        wc.lpszClassName = sys.pszName;
        AddLocked(wc, true, sys.nAtom);
    }
}

}  // namespace

void EnsureSystemClasses() {
    std::lock_guard<std::mutex> lock(g_classMutex);
    if (std::none_of(g_classes.begin(), g_classes.end(), [](auto& p) { return p->m_bSystem; }))
        RegisterSystemLocked();
}

std::shared_ptr<CWndClass> FindClass(LPCSTR pszName) {
    EnsureSystemClasses();
    std::lock_guard<std::mutex> lock(g_classMutex);
    return FindLocked(pszName);
}

}  // namespace win32sim

using namespace win32sim;

ATOM WINAPI RegisterClassA(const WNDCLASSA* pWndClass) {
    if (!pWndClass || !pWndClass->lpszClassName || IS_INTRESOURCE(pWndClass->lpszClassName))
        return 0;
    EnsureSystemClasses();
    std::lock_guard<std::mutex> lock(g_classMutex);
    auto pOld = FindLocked(pWndClass->lpszClassName);
    if (pOld && !pOld->m_bSystem) return 0;
    return AddLocked(*pWndClass, false, 0);
}

BOOL WINAPI GetClassInfoA(HINSTANCE, LPCSTR pszClassName, LPWNDCLASSA pWndClass) {
    auto pClass = FindClass(pszClassName);
    if (!pClass || !pWndClass) return FALSE;
    *pWndClass = pClass->m_wc;
    return pClass->m_nAtom;
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR pszClassName, int nMaxCount) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || !pszClassName || nMaxCount <= 0) return 0;
    std::size_t n = std::min<std::size_t>(pWnd->m_pClass->m_strName.size(), nMaxCount - 1);
    std::memcpy(pszClassName, pWnd->m_pClass->m_strName.data(), n);
    pszClassName[n] = '\0';
    return static_cast<int>(n);
}
