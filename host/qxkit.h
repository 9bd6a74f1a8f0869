/* The host's wizard toolkit, module qxkit.dll: the three functions the
 * wizard and its editor call. */
#ifndef VELMOK_HOST_QXKIT_H
#define VELMOK_HOST_QXKIT_H

#include <windows.h>

extern "C" BOOL WINAPI QXKit_Init(void);
extern "C" BOOL WINAPI QXDlg_RegisterTagNameCtrl(HWND dialog, int controlId);
extern "C" BOOL WINAPI QXDlg_UnregisterTagNameCtrl(HWND dialog, int controlId);

#endif
