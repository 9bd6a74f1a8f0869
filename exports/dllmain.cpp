/* Module entry and the host's extension entries. Nothing is read or
 * opened at load and nothing released at unload: the table loads on the
 * first script call and lives as long as the module. */
#include "../host/abi.h"
#include "module.h"

void *VelmokInstance;

/* The module's description, carried in its read-only data; no code
 * reads it. External and `used`, so it is kept though nothing refers to
 * it; the linker drops the definition file's DESCRIPTION line. */
extern "C" const char VelmokDescription[] __attribute__((used, section(".rdata"))) =
    "VELMOK : Add-On Statistical Functions for Kelvane 5.X";

VX_EXTERN_C int VX_WINAPI DllMain(void *instance, vx_dword reason, void *reserved)
{
    (void)reserved;
    if (reason == 1 /* process attach */)
        VelmokInstance = instance;
    return 1;
}

VX_EXTERN_C void VX_WINAPI QXDllInit(void)
{
}

VX_EXTERN_C void VX_WINAPI QXDllFree(void)
{
}
