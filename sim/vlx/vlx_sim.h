/* Control side of the point-access stand-in: what tests and the host
 * stand-in use to set up the tag database the four VLX functions serve. */
#ifndef VELMOK_SIM_VLX_H
#define VELMOK_SIM_VLX_H

#include "../../host/abi.h"

enum { VLXSIM_INIT, VLXSIM_ACTIVATE, VLXSIM_READ, VLXSIM_SHUTDOWN, VLXSIM_FUNCTIONS };

/* Forget every tag, refusal, count and log entry; VlxInit succeeds again. */
VX_EXTERN_C void VX_WINAPI VlxSimReset(void);
/* Define a tag (names compare ignoring ASCII case), or set the value of
 * one defined already. Gives 0, or -1 when the database is full or the
 * name too long. */
VX_EXTERN_C vx_long VX_WINAPI VlxSimSetValue(const char *name, double value);
/* Remove a tag; VlxActivate then gives 0 for it. */
VX_EXTERN_C void VX_WINAPI VlxSimRemove(const char *name);
/* While fail is nonzero, VlxInit gives 0. */
VX_EXTERN_C void VX_WINAPI VlxSimFailInit(vx_long fail);
/* Number of calls of one of the four functions since the last reset. */
VX_EXTERN_C vx_long VX_WINAPI VlxSimCalls(vx_long function);
/* The calls since the last reset, one line each, such as
 * "VlxInit(0,0)=1", "VlxActivate(1,\"Tank1\")=1", "VlxReadA(1,1)",
 * "VlxShutdown(1)". Gives the length; the text is cut to size-1. */
VX_EXTERN_C vx_long VX_WINAPI VlxSimLog(char *buffer, vx_long size);

#endif
