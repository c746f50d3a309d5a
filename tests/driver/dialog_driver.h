// Drives a dialog program as a user would: the program runs on its own UI thread, the test
// thread clicks, types, presses keys, answers prompts and reads back what the window shows.
// Written against Win32 and the framework's one seam for message boxes and file dialogs, so it
// runs on the stand-in and on real Windows alike.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "prompts.h"

class CDialogDriver {
public:
    // Starts uiMain on a new UI thread and returns once a dialog is up and the UI is idle.
    explicit CDialogDriver(std::function<void()> uiMain);
    ~CDialogDriver();
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;

    // The topmost enabled dialog of the UI thread (the About box while it is open), or nullptr.
    HWND Dialog();
    // The first dialog that came up (the main window), or nullptr once it is gone.
    HWND MainWindow();
    bool Running();  // uiMain has not yet returned
    bool WaitForExit(DWORD dwMilliseconds = 5000);

    // Reads; ids refer to controls of Dialog() unless a window is given.
    bool Visible(int nId);
    std::string Text(int nId);
    std::string Caption();
    int FocusId();  // control id of the focused window, 0 when the focus is elsewhere or nowhere
    std::pair<int, int> Selection(int nId);

    // User actions; each returns once the UI has handled it and is idle again.
    void Click(int nId);    // a visible, enabled control of an enabled dialog
    void Command(int nId);  // WM_COMMAND of a (hidden) button, as its click would send
    void Type(const std::string& strText);              // characters into the focused window
    void Press(UINT nVirtualKey, bool bShift = false);  // key down and up at the focused window
    void SysCommand(UINT nCommand);                     // SC_CLOSE is the title bar's close box
    bool ChooseWindowMenu(const std::string& strItem);  // false when no such item
    void SetText(int nId, const std::string& strText);  // select all, then type

    // Prompts: what is up right now, and the user's answer to it.
    std::optional<CMessageBoxRequest> PendingMessageBox();
    void AnswerMessageBox(int nResult);
    std::optional<CFileDialogRequest> PendingFileDialog();
    void AnswerFileDialog(std::optional<std::string> path);  // nullopt = Cancel

    // Runs fn on the UI thread and waits for it (reads of objects that live there).
    void OnUi(const std::function<void()>& fn);
    template <class T>
    T OnUiRead(const std::function<T()>& fn) {
        T result{};
        OnUi([&] { result = fn(); });
        return result;
    }
    // Runs fn on the UI thread without waiting for it to end (code that opens a modal prompt).
    void Post(std::function<void()> fn);
    void WaitIdle();

    // The screen dpi for what follows; false where the host cannot give that dpi.
    static bool SetScreenDpi(int nDpi);

    struct CState;

private:
    bool PostToUi(std::function<void()> fn, HANDLE hDone = nullptr);
    std::unique_ptr<CState> m_pState;
};
