/* The straightforward implementation the module is measured against:
 * its own table, lookup, two script functions and loader. */
#ifndef VELMOK_BENCH_BASELINE_H
#define VELMOK_BENCH_BASELINE_H

#include <stdint.h>

#include "host/abi.h"

#define BASE_NAME_FIELD 33 /* 32 characters and the terminator */

extern char BaseName[][BASE_NAME_FIELD];
extern int32_t BaseLoadedCount;
extern uint32_t BaseConnection;

int32_t BaseFindTag(const char *name);
void BaseEnsureLoaded(void);
vx_long BaseSample(const char *TagName);
double BaseGetAverage(const char *TagName, vx_long Trigger);

#endif
