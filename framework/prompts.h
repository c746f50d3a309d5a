// The user as the framework sees it: the one seam through which message boxes and file dialogs
// reach a person, replaceable so that tests can answer them. No other dialogs pass through it.
#pragma once

#include <windows.h>

#include <string>

struct CMessageBoxRequest {
    HWND hOwner;
    std::string strText;
    std::string strCaption;
    UINT nType;
};

struct CFileDialogRequest {
    HWND hOwner;
    bool bSave;
    std::string strDefExt;
    std::string strFileName;  // proposed name
    std::string strFilter;    // Win32 form: "name\0pattern\0...\0\0" as a std::string with NULs
    DWORD dwFlags;
    std::string strResultPath;  // out: full path when the answer is OK
};

class CUserPrompts {
public:
    virtual ~CUserPrompts() = default;
    virtual int ShowMessageBox(const CMessageBoxRequest& request) = 0;  // IDOK, IDCANCEL, ...
    virtual bool ShowFileDialog(CFileDialogRequest& request) = 0;       // true = OK, path filled in
};

// Installs pPrompts for every thread and returns the previous one; nullptr = the platform's
// own message box and common file dialogs.
CUserPrompts* AfxSetUserPrompts(CUserPrompts* pPrompts);
// The installed prompts, else the platform's.
CUserPrompts* AfxGetUserPrompts();
