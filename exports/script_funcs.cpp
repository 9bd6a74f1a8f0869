/* The ten statistics script functions. Each loads the table first if
 * need be, then finds its tag; a name not in the table gives -1 from
 * StatSample and StatReset, 0 from StatGetSampleCount, 0.0 from the
 * others. */
#include "../host/vlx.h"
#include "../stat/loader.h"
#include "../stat/table.h"
#include "velmok.h"

/* A script may hand over no string at all; that names no tag. */
static int32_t find(const char *TagName)
{
    StatEnsureLoaded();
    return TagName ? StatFindTag(TagName) : -1;
}

vx_long VX_WINAPI StatSample(const char *TagName)
{
    int32_t slot = find(TagName);
    if (slot < 0)
        return -1;
    if (StatCount[slot] < STAT_COUNT_MAX)
        StatAccumulate(slot, VlxReadA(StatConnection, StatPoint[slot]));
    return StatCount[slot];
}

vx_long VX_WINAPI StatSampleAll(void)
{
    StatEnsureLoaded();
    for (int32_t i = 0; i < StatLoadedCount; i++)
        if (StatCount[i] < STAT_COUNT_MAX)
            StatAccumulate(i, VlxReadA(StatConnection, StatPoint[i]));
    return 0;
}

vx_long VX_WINAPI StatReset(const char *TagName)
{
    int32_t slot = find(TagName);
    if (slot < 0)
        return -1;
    StatClearSlot(slot);
    return 0;
}

vx_long VX_WINAPI StatResetAll(void)
{
    StatEnsureLoaded();
    for (int32_t i = 0; i < StatLoadedCount; i++)
        StatClearSlot(i);
    return 0;
}

double VX_WINAPI StatGetAverage(const char *TagName, vx_long Trigger)
{
    (void)Trigger;
    int32_t slot = find(TagName);
    if (slot < 0 || StatCount[slot] < 1)
        return 0.0;
    return StatSum[slot] / (double)StatCount[slot];
}

double VX_WINAPI StatGetMin(const char *TagName, vx_long Trigger)
{
    (void)Trigger;
    int32_t slot = find(TagName);
    return slot < 0 ? 0.0 : StatMin[slot];
}

double VX_WINAPI StatGetMax(const char *TagName, vx_long Trigger)
{
    (void)Trigger;
    int32_t slot = find(TagName);
    return slot < 0 ? 0.0 : StatMax[slot];
}

double VX_WINAPI StatGetStdDev(const char *TagName, vx_long Trigger)
{
    (void)Trigger;
    int32_t slot = find(TagName);
    return slot < 0 ? 0.0 : StatStdDev(slot);
}

vx_long VX_WINAPI StatGetSampleCount(const char *TagName, vx_long Trigger)
{
    (void)Trigger;
    int32_t slot = find(TagName);
    return slot < 0 ? 0 : StatCount[slot];
}

double VX_WINAPI StatGetSumXSquared(const char *TagName, vx_long Trigger)
{
    (void)Trigger;
    int32_t slot = find(TagName);
    if (slot < 0 || StatCount[slot] < 1)
        return 0.0;
    return StatSumSq[slot];
}
