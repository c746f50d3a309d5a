// Shared fixture of the Win32 conformance tests: window bookkeeping, message pumping and an
// in-memory dialog template builder. Written only against Win32, so it builds for Windows too.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include "win32sim/sim.h"
#endif

namespace win32test {

// Wine's ntdll exports wine_get_version; Windows' does not. Known Wine differences test it.
inline bool IsWine() {
#ifdef _WIN32
    HMODULE hNtdll = GetModuleHandleA("ntdll.dll");
    return hNtdll != nullptr && GetProcAddress(hNtdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

// One control of a template: class by ordinal (0x80 button, 0x81 edit, 0x82 static), title by
// text or by a resource's ordinal.
struct CItem {
    DWORD dwStyle;
    short x, y, cx, cy;
    DWORD dwId;
    WORD nClassOrdinal;
    const char* pszTitle;
    WORD nTitleOrdinal = 0;
};

const WORD kButton = 0x80;
const WORD kEdit = 0x81;
const WORD kStatic = 0x82;

// Builds DLGTEMPLATEEX images, as the resource compiler writes DIALOGEX: DS_SETFONT, DWORD-aligned
// items.
class CTemplateBuilder {
public:
    CTemplateBuilder(DWORD dwStyle, short cx, short cy, const char* pszCaption = "Test",
                     WORD nPointSize = 8, const char* pszFace = "MS Sans Serif")
        : m_dwStyle(dwStyle | DS_SETFONT),
          m_cx(cx),
          m_cy(cy),
          m_strCaption(pszCaption),
          m_nPointSize(nPointSize),
          m_strFace(pszFace) {}

    CTemplateBuilder& Add(const CItem& item) {
        m_items.push_back(item);
        return *this;
    }

    const DLGTEMPLATE* Build() {
        m_words.clear();
        Words({1, 0xFFFF});
        Dword(0);
        Dword(0);
        Dword(m_dwStyle);
        Words({static_cast<WORD>(m_items.size()), 0, 0, static_cast<WORD>(m_cx),
               static_cast<WORD>(m_cy), 0, 0});
        String(m_strCaption.c_str());
        Words({m_nPointSize, FW_NORMAL, 0});
        String(m_strFace.c_str());
        for (const CItem& item : m_items)
            AddItem(item);
        // The allocator's alignment covers the DWORD alignment templates need.
        return reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
    }

private:
    void Words(std::initializer_list<WORD> words) { m_words.insert(m_words.end(), words); }
    void Dword(DWORD dw) { Words({LOWORD(dw), HIWORD(dw)}); }
    void String(const char* psz) {
        for (; *psz; ++psz)
            m_words.push_back(static_cast<BYTE>(*psz));
        m_words.push_back(0);
    }
    void Align() {
        if (m_words.size() % 2) m_words.push_back(0);
    }
    void AddItem(const CItem& item) {
        Align();
        Dword(0);
        Dword(0);
        Dword(item.dwStyle);
        Words({static_cast<WORD>(item.x), static_cast<WORD>(item.y), static_cast<WORD>(item.cx),
               static_cast<WORD>(item.cy)});
        Dword(item.dwId);
        Words({0xFFFF, item.nClassOrdinal});
        if (item.nTitleOrdinal)
            Words({0xFFFF, item.nTitleOrdinal});
        else
            String(item.pszTitle ? item.pszTitle : "");
        Words({0});
    }

    DWORD m_dwStyle;
    short m_cx, m_cy;
    std::string m_strCaption;
    WORD m_nPointSize;
    std::string m_strFace;
    std::vector<CItem> m_items;
    std::vector<WORD> m_words;
};

// What a test dialog's DLGPROC saw: commands in order and the WM_INITDIALOG parameters.
struct CDialogLog {
    std::vector<WPARAM> commands;
    std::vector<HWND> commandWindows;
    LPARAM lInitParam = 0;
    HWND hwndInitFocus = nullptr;
};

inline INT_PTR CALLBACK LoggingDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_INITDIALOG) {
        auto* pLog = reinterpret_cast<CDialogLog*>(lParam);
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        pLog->lInitParam = lParam;
        pLog->hwndInitFocus = reinterpret_cast<HWND>(wParam);
        return TRUE;
    }
    auto* pLog = reinterpret_cast<CDialogLog*>(GetWindowLongPtrA(hDlg, DWLP_USER));
    // Only clicks and command ids are logged, not the controls' notifications (EN_SETFOCUS...).
    if (nMsg == WM_COMMAND && pLog && HIWORD(wParam) == BN_CLICKED) {
        pLog->commands.push_back(wParam);
        pLog->commandWindows.push_back(reinterpret_cast<HWND>(lParam));
        return TRUE;
    }
    return FALSE;
}

// Registers a window class of the test's own; a class registered before stays as it was.
inline void RegisterTestClass(const char* pszClass, WNDPROC pfnProc,
                              HBRUSH hbrBackground = nullptr) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = pfnProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = pszClass;
    RegisterClassA(&wc);
}

class CWin32Test : public ::testing::Test {
protected:
    void TearDown() override {
        for (HWND hwnd : m_windows)
            if (IsWindow(hwnd)) DestroyWindow(hwnd);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
#ifndef _WIN32
        SimReset();
#endif
    }

    HWND Keep(HWND hwnd) {
        m_windows.push_back(hwnd);
        return hwnd;
    }

    HWND CreateDialogFrom(CTemplateBuilder& builder, CDialogLog& log) {
        return Keep(CreateDialogIndirectParamA(GetModuleHandleA(nullptr), builder.Build(), nullptr,
                                               LoggingDlgProc, reinterpret_cast<LPARAM>(&log)));
    }

    // Runs the dialog's queue the way a modal loop does.
    static void Pump(HWND hDlg) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (hDlg && IsDialogMessageA(hDlg, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    static void PressKey(HWND hDlg, WPARAM vk) {
        HWND hwndTarget = GetFocus() ? GetFocus() : hDlg;
        PostMessageA(hwndTarget, WM_KEYDOWN, vk, 1);
        PostMessageA(hwndTarget, WM_KEYUP, vk, 0xC0000001);
        Pump(hDlg);
    }

    static void SetShift(bool bDown) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = bDown ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    static std::string TextOf(HWND hwnd) {
        char sz[1024] = "";
        GetWindowTextA(hwnd, sz, sizeof(sz));
        return sz;
    }

    std::vector<HWND> m_windows;
};

}  // namespace win32test
