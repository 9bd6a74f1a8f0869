/* Control side of the wizard toolkit stand-in. */
#ifndef VELMOK_SIM_QXKIT_H
#define VELMOK_SIM_QXKIT_H

#include <windows.h>

/* Called after each logged call with its log line and the dialog
 * (NULL for QXKit_Init), so a test can look at the dialog and at the
 * rest of the system at that moment. */
typedef void(WINAPI *QXSimHook)(const char *line, HWND dialog);

/* Forget the call log and the hook. */
extern "C" void WINAPI QXSimReset(void);
/* The calls since the last reset, one line each, such as "QXKit_Init",
 * "Register(1004)", "Unregister(1004)". Gives the length; the text is
 * cut to size-1. */
extern "C" LONG WINAPI QXSimLog(char *buffer, LONG size);
/* Set the hook, or none with NULL. */
extern "C" void WINAPI QXSimSetHook(QXSimHook hook);

#endif
