/* The host's point-access library, module VLX.dll: the four functions
 * the module imports, by name, undecorated. */
#ifndef VELMOK_HOST_VLX_H
#define VELMOK_HOST_VLX_H

#include "abi.h"

VX_EXTERN_C vx_dword VX_WINAPI VlxInit(vx_dword first, vx_dword second);
VX_EXTERN_C vx_dword VX_WINAPI VlxActivate(vx_dword connection, const char *tagName);
VX_EXTERN_C double VX_WINAPI VlxReadA(vx_dword connection, vx_dword point);
VX_EXTERN_C vx_dword VX_WINAPI VlxShutdown(vx_dword connection);

#endif
