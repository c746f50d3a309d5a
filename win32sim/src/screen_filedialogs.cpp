// comdlg32 with nobody at the screen: every file dialog ends as if the user cancelled it.

#include <commdlg.h>

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA) {
    return FALSE;
}

BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA) {
    return FALSE;
}
