/* The tag list editor's dialog procedure. */
#include <windows.h>

#include "../host/qxkit.h"
#include "resource.h"
#include "wizard.h"

INT_PTR CALLBACK StatCfgDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    (void)lparam;
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}
