// Drives a running Velastro.exe from another process with window messages and takes screenshots;
// or starts one and lets the random user loose on it (random_remote.h).
// Usage: velastro-remote scenario OUTDIR | velastro-remote random VELASTRO_EXE [OPTIONS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "png_writer.h"
#include "random_remote.h"
#include "resource.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr DWORD kPollMs = 50;

struct Image {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<unsigned char> vecRgb;
};

[[noreturn]] void Fail(const std::string& strReason) {
    std::fprintf(stderr, "velastro-remote: %s\n", strReason.c_str());
    std::exit(1);
}

void Report(const std::string& strLine) {
    std::printf("%s\n", strLine.c_str());
    std::fflush(stdout);  // the caller sees every step even if a later one hangs
}

// Polls, because the other process creates, shows and destroys its windows in its own time.
template <typename TPredicate>
bool WaitFor(TPredicate predicate) {
    const DWORD dwStart = GetTickCount();
    while (!predicate()) {
        if (GetTickCount() - dwStart >= kTimeoutMs) return false;
        Sleep(kPollMs);
    }
    return true;
}

HWND WaitForDialog(const std::string& strCaption) {
    HWND hWnd = nullptr;
    const bool bShown = WaitFor([&] {
        hWnd = FindWindowA("#32770", strCaption.c_str());
        return hWnd != nullptr && IsWindowVisible(hWnd);
    });
    if (!bShown) Fail("no visible dialog \"" + strCaption + "\" within 20 s");
    return hWnd;
}

void WaitGone(HWND hWnd, const std::string& strWhat) {
    if (!WaitFor([&] { return !IsWindow(hWnd); })) Fail(strWhat + " still open after 20 s");
}

HWND Control(HWND hDlg, int nID) {
    HWND hCtrl = GetDlgItem(hDlg, nID);
    if (hCtrl == nullptr) Fail("no control with id " + std::to_string(nID));
    return hCtrl;
}

// With a time limit, so a hung Velastro fails the run instead of stalling it.
LRESULT Send(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR dwResult = 0;
    if (!SendMessageTimeoutA(hWnd, nMsg, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs, &dwResult))
        Fail("message " + std::to_string(nMsg) + " was not answered");
    return static_cast<LRESULT>(dwResult);
}

// Paints what is pending now: a full invalidation would repaint overlapping siblings, the answer
// and its frame, in an order no user action produces.
void FlushPaint(HWND hWnd) {
    RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Posted, because a sent click does not return until the dialog it opens or closes is done.
void PostClick(HWND hDlg, int nID) {
    if (!PostMessageA(Control(hDlg, nID), BM_CLICK, 0, 0))
        Fail("could not post a click to control " + std::to_string(nID));
}

std::string Text(HWND hWnd) {
    char szText[256] = {};
    Send(hWnd, WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText));
    return szText;
}

// Types character by character, so the edit's own input handling runs as for a user.
void Type(HWND hDlg, int nID, const std::string& strText) {
    HWND hEdit = Control(hDlg, nID);
    Send(hEdit, EM_SETSEL, 0, -1);
    for (char c : strText)
        Send(hEdit, WM_CHAR, static_cast<unsigned char>(c), 1);
    const std::string strRead = Text(hEdit);
    if (strRead != strText) Fail("edit " + std::to_string(nID) + " holds \"" + strRead + "\"");
    Report("typed " + strRead + " into " + std::to_string(nID));
}

// The DIB rows are BGR and padded to four bytes; PNG wants tight RGB rows.
void CopyBgrRows(const unsigned char* pBits, Image& image) {
    const int nStride = (image.nWidth * 3 + 3) & ~3;
    image.vecRgb.resize(static_cast<std::size_t>(image.nWidth) * image.nHeight * 3);
    unsigned char* pOut = image.vecRgb.data();
    for (int y = 0; y < image.nHeight; ++y) {
        const unsigned char* pRow = pBits + static_cast<std::size_t>(y) * nStride;
        for (int x = 0; x < image.nWidth; ++x, pOut += 3) {
            pOut[0] = pRow[x * 3 + 2];
            pOut[1] = pRow[x * 3 + 1];
            pOut[2] = pRow[x * 3];
        }
    }
}

// Reads what is on the screen, so the picture is what a user sees, frame included.
Image CaptureScreen(const RECT& rc) {
    Image image;
    image.nWidth = rc.right - rc.left;
    image.nHeight = rc.bottom - rc.top;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = image.nWidth;
    bmi.bmiHeader.biHeight = -image.nHeight;  // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;

    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = hBitmap ? SelectObject(hMem, hBitmap) : nullptr;
    const bool bCopied = hBitmap && BitBlt(hMem, 0, 0, image.nWidth, image.nHeight, hScreen,
                                           rc.left, rc.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    if (bCopied) CopyBgrRows(static_cast<const unsigned char*>(pBits), image);
    if (hOld) SelectObject(hMem, hOld);
    if (hBitmap) DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
    if (!bCopied) Fail("could not copy the screen");
    return image;
}

bool IsUniform(const Image& image) {
    const std::vector<unsigned char>& rgb = image.vecRgb;
    for (std::size_t i = 3; i < rgb.size(); i += 3)
        if (rgb[i] != rgb[0] || rgb[i + 1] != rgb[1] || rgb[i + 2] != rgb[2]) return false;
    return true;
}

// Waits until two captures agree, because the painting reaches the X server a little later.
Image CaptureSettled(HWND hWnd) {
    RECT rc = {};
    GetWindowRect(hWnd, &rc);
    if (rc.right <= rc.left || rc.bottom <= rc.top) Fail("window has no area");
    Image image = CaptureScreen(rc);
    for (int nTry = 0; nTry < 20; ++nTry) {
        Sleep(150);
        Image next = CaptureScreen(rc);
        if (next.vecRgb == image.vecRgb) return next;
        image = std::move(next);
    }
    return image;
}

void Screenshot(HWND hWnd, const std::string& strPath) {
    SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(hWnd);
    FlushPaint(hWnd);
    const Image image = CaptureSettled(hWnd);
    if (IsUniform(image)) Fail("screenshot " + strPath + " is a single colour");
    if (!WritePng(strPath, image.nWidth, image.nHeight, image.vecRgb))
        Fail("could not write " + strPath);
    Report("screenshot " + strPath + " " + std::to_string(image.nWidth) + "x" +
           std::to_string(image.nHeight));
}

void Calculate(HWND hMain) {
    Send(Control(hMain, IDC_OVAL_BRILLIANT), BM_CLICK, 0, 0);
    FlushPaint(hMain);  // the hidden answer's frame repaints now, as it would before a user types
    Report("clicked Oval Brilliant");
    HWND hAnswer = Control(hMain, IDC_ANSWER);
    if (IsWindowVisible(hAnswer)) Fail("answer visible before Click Here");
    Type(hMain, IDC_LENGTH_EDIT, "6");
    Type(hMain, IDC_WIDTH_EDIT, "4");
    Type(hMain, IDC_DEPTH_EDIT, "3");
    Send(Control(hMain, IDC_CLICK_HERE), BM_CLICK, 0, 0);
    FlushPaint(hMain);
    const std::string strAnswer = Text(hAnswer);
    Report("answer " + strAnswer);
    if (strAnswer != "0.487500") Fail("answer \"" + strAnswer + "\", expected \"0.487500\"");
    if (!IsWindowVisible(hAnswer)) Fail("answer hidden after Click Here");
    if (IsUniform(CaptureSettled(hAnswer))) Fail("answer not drawn on the screen");
    Report("answer visible");
}

void AboutBox(HWND hMain, const std::string& strOutDir) {
    PostClick(hMain, IDC_ABOUT);
    HWND hAbout = WaitForDialog("About Velastro");
    Report("about opened");
    Screenshot(hAbout, strOutDir + "\\velastro-about.png");
    PostClick(hAbout, IDOK);
    WaitGone(hAbout, "About box");
    Report("about closed");
}

int RunScenario(const std::string& strOutDir) {
    HWND hMain = WaitForDialog("Velastro");
    Report("found main window");
    Calculate(hMain);
    Screenshot(hMain, strOutDir + "\\velastro-main.png");
    AboutBox(hMain, strOutDir);
    PostClick(hMain, IDOK);
    WaitGone(hMain, "main window");
    Report("exited");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "scenario") return RunScenario(argv[2]);
    if (argc >= 3 && std::string(argv[1]) == "random") return RunRandomUser(argc, argv);
    std::fprintf(stderr,
                 "usage: velastro-remote scenario OUTDIR | random VELASTRO_EXE [OPTIONS]\n");
    return 2;
}
