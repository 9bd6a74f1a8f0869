/* The statistics table: up to STAT_MAX_TAGS tags, each a slot of
 * parallel fixed arrays indexed by slot number, in static storage. */
#ifndef VELMOK_STAT_TABLE_H
#define VELMOK_STAT_TABLE_H

#include <stdint.h>

#define STAT_MAX_TAGS 512
#define STAT_TAGNAME_MAX 32
#define STAT_COUNT_MAX INT32_MAX

/* Name field: 32 characters and the terminator, padded so the folded
 * copy can be compared in 8-byte words. */
#define STAT_NAME_FIELD 40

/* Names exactly as loaded, and the same names with A-Z folded to a-z,
 * zero-padded to the whole field, so a lookup compares whole fields. */
extern char StatName[STAT_MAX_TAGS][STAT_NAME_FIELD];
extern char StatFolded[STAT_MAX_TAGS][STAT_NAME_FIELD];
extern uint32_t StatNameKey[STAT_MAX_TAGS]; /* length and a small hash */
extern uint32_t StatPoint[STAT_MAX_TAGS];

extern int32_t StatCount[STAT_MAX_TAGS];
extern double StatSum[STAT_MAX_TAGS];
extern double StatSumSq[STAT_MAX_TAGS];
extern double StatMin[STAT_MAX_TAGS];
extern double StatMax[STAT_MAX_TAGS];
/* Running mean and sum of squared deviations, for a stable deviation. */
extern double StatMean[STAT_MAX_TAGS];
extern double StatM2[STAT_MAX_TAGS];

extern int32_t StatLoadedCount;
extern uint32_t StatConnection;

/* Fill slot with a name of at most STAT_TAGNAME_MAX characters and its
 * point handle. Only the loader calls it. */
void StatSetSlot(int32_t slot, const char *name, uint32_t point);

/* Slot number of the first loaded slot whose name equals name with
 * A-Z folded, or -1. */
int32_t StatFindTag(const char *name);

void StatAccumulate(int32_t slot, double x);
void StatClearSlot(int32_t slot);

/* Sample standard deviation of the slot's samples; 0.0 below 2. */
double StatStdDev(int32_t slot);

#endif
