#include "prompts.h"

#include <windows.h>

#include <commdlg.h>

#include <atomic>
#include <vector>

namespace {

class CPlatformPrompts : public CUserPrompts {
public:
    int ShowMessageBox(const CMessageBoxRequest& request) override {
        return ::MessageBoxA(request.hOwner, request.strText.c_str(), request.strCaption.c_str(),
                             request.nType);
    }

    bool ShowFileDialog(CFileDialogRequest& request) override {
        std::vector<char> file(MAX_PATH, '\0');
        request.strFileName.copy(file.data(), file.size() - 1);
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = request.hOwner;
        ofn.lpstrFilter = request.strFilter.empty() ? NULL : request.strFilter.c_str();
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.lpstrDefExt = request.strDefExt.empty() ? NULL : request.strDefExt.c_str();
        ofn.Flags = request.dwFlags;
        BOOL bOK = request.bSave ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
        if (!bOK) return false;
        request.strResultPath = file.data();
        return true;
    }
};

CPlatformPrompts g_platformPrompts;
std::atomic<CUserPrompts*> g_pPrompts{nullptr};

}  // namespace

CUserPrompts* AfxSetUserPrompts(CUserPrompts* pPrompts) {
    return g_pPrompts.exchange(pPrompts);
}

CUserPrompts* AfxGetUserPrompts() {
    CUserPrompts* pPrompts = g_pPrompts.load();
    return pPrompts ? pPrompts : &g_platformPrompts;
}
