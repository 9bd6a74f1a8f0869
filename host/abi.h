/* Calling convention and integer widths of the host's binary interface.
 * Kept free of windows.h so the portable core builds natively too. */
#ifndef VELMOK_HOST_ABI_H
#define VELMOK_HOST_ABI_H

#include <stdint.h>

#if defined(_WIN32)
#define VX_WINAPI __stdcall
#else
#define VX_WINAPI
#endif

#ifdef __cplusplus
#define VX_EXTERN_C extern "C"
#else
#define VX_EXTERN_C
#endif

/* LONG, DWORD and UINT are 32 bits on both Windows builds. */
typedef int32_t vx_long;
typedef uint32_t vx_dword;

#endif
