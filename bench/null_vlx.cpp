/* Point-access layer for the benchmark: every name activates, point
 * handles count up from 1, and a read costs next to nothing. Ours and
 * the baseline make the same calls into it, so it adds the same small
 * amount to both and leaves the module's own work to be measured. */
#include "host/vlx.h"

static vx_dword last_point;

vx_dword VX_WINAPI VlxInit(vx_dword first, vx_dword second)
{
    last_point = 0;
    return 1;
}

vx_dword VX_WINAPI VlxActivate(vx_dword connection, const char *tagName)
{
    if (++last_point == 0)
        last_point = 1;
    return last_point;
}

double VX_WINAPI VlxReadA(vx_dword connection, vx_dword point)
{
    return (double)(point & 1023) * 0.5;
}

vx_dword VX_WINAPI VlxShutdown(vx_dword connection)
{
    return 1;
}
