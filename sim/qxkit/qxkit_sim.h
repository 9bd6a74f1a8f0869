/* Control side of the wizard toolkit stand-in. */
#ifndef VELMOK_SIM_QXKIT_H
#define VELMOK_SIM_QXKIT_H

#include <windows.h>

/* Forget the call log. */
extern "C" void WINAPI QXSimReset(void);
/* The calls since the last reset, one line each, such as "QXKit_Init",
 * "Register(1004)", "Unregister(1004)". Gives the length; the text is
 * cut to size-1. */
extern "C" LONG WINAPI QXSimLog(char *buffer, LONG size);

#endif
