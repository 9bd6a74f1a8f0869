/* The module's exported entries that the portable core carries: the
 * ten script functions, the paste helper and the host entries. */
#ifndef VELMOK_EXPORTS_H
#define VELMOK_EXPORTS_H

#include "../host/abi.h"

VX_EXTERN_C vx_long VX_WINAPI StatSample(const char *TagName);
VX_EXTERN_C vx_long VX_WINAPI StatSampleAll(void);
VX_EXTERN_C vx_long VX_WINAPI StatReset(const char *TagName);
VX_EXTERN_C vx_long VX_WINAPI StatResetAll(void);
VX_EXTERN_C double VX_WINAPI StatGetAverage(const char *TagName, vx_long Trigger);
VX_EXTERN_C double VX_WINAPI StatGetMin(const char *TagName, vx_long Trigger);
VX_EXTERN_C double VX_WINAPI StatGetMax(const char *TagName, vx_long Trigger);
VX_EXTERN_C double VX_WINAPI StatGetStdDev(const char *TagName, vx_long Trigger);
VX_EXTERN_C vx_long VX_WINAPI StatGetSampleCount(const char *TagName, vx_long Trigger);
VX_EXTERN_C double VX_WINAPI StatGetSumXSquared(const char *TagName, vx_long Trigger);

VX_EXTERN_C vx_dword VX_WINAPI MyPasteBuiltInFuncs(const char *functionName, char *output);

#endif
