// comdlg32 with nobody at the screen: every file dialog ends as if the user cancelled it.

#include <commdlg.h>

namespace {

DWORD& LastDialogError() {
    static DWORD dwError = 0;
    return dwError;
}

}  // namespace

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA) {
    LastDialogError() = 0;
    return FALSE;
}

BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA) {
    LastDialogError() = 0;
    return FALSE;
}

DWORD WINAPI CommDlgExtendedError() {
    return LastDialogError();
}
