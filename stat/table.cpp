/* Slots, lookup and accumulators. */
#include <math.h>
#include <string.h>

#include "table.h"

char StatName[STAT_MAX_TAGS][STAT_NAME_FIELD];
char StatFolded[STAT_MAX_TAGS][STAT_NAME_FIELD];
uint32_t StatNameKey[STAT_MAX_TAGS];
uint32_t StatPoint[STAT_MAX_TAGS];
int32_t StatCount[STAT_MAX_TAGS];
double StatSum[STAT_MAX_TAGS];
double StatSumSq[STAT_MAX_TAGS];
double StatMin[STAT_MAX_TAGS];
double StatMax[STAT_MAX_TAGS];
double StatMean[STAT_MAX_TAGS];
double StatM2[STAT_MAX_TAGS];
int32_t StatLoadedCount;
uint32_t StatConnection;

static inline unsigned char fold(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? (unsigned char)(c + 32) : c;
}

/* Fold name into a zeroed field and give its key (length in the low
 * byte, a hash of the folded field above), or 0 when the name is longer
 * than a slot holds. A real key always has bit 31 set, so never 0. The
 * hash takes the field eight bytes at a time, so it costs five steps
 * whatever the name. */
static uint32_t fold_name(const char *name, char *field)
{
    uint64_t words[STAT_NAME_FIELD / 8] = {0};
    unsigned char *folded = (unsigned char *)words;
    int n = 0;
    for (; name[n]; n++) {
        if (n == STAT_TAGNAME_MAX)
            return 0;
        folded[n] = fold((unsigned char)name[n]);
    }
    uint64_t h = 0;
    for (int i = 0; i < STAT_NAME_FIELD / 8; i++)
        h = (h ^ words[i]) * 0x9e3779b97f4a7c15ull;
    h ^= h >> 32;
    memcpy(field, words, STAT_NAME_FIELD);
    return ((uint32_t)h & 0x7fffff00u) | 0x80000000u | (uint32_t)n;
}

void StatSetSlot(int32_t slot, const char *name, uint32_t point)
{
    memset(StatName[slot], 0, STAT_NAME_FIELD);
    strncpy(StatName[slot], name, STAT_TAGNAME_MAX);
    StatNameKey[slot] = fold_name(StatName[slot], StatFolded[slot]);
    StatPoint[slot] = point;
}

#define KEY_BLOCK 8
static_assert(STAT_MAX_TAGS % KEY_BLOCK == 0, "a block never runs past the key array");

/* Scan the loaded slots' keys a block at a time, with no branch inside
 * a block; only a block holding an equal key is gone through slot by
 * slot, in slot order, comparing the whole folded field, so the first
 * match wins. The last block may read keys past the loaded count, but
 * the slot-by-slot pass stops at the count. */
int32_t StatFindTag(const char *name)
{
    char want[STAT_NAME_FIELD];
    uint32_t key = fold_name(name, want);
    if (key == 0)
        return -1;
    int32_t count = StatLoadedCount;
    for (int32_t block = 0; block < count; block += KEY_BLOCK) {
        const uint32_t *k = StatNameKey + block;
        unsigned hit = 0;
        for (int j = 0; j < KEY_BLOCK; j++)
            hit |= k[j] == key;
        if (!hit)
            continue;
        int32_t end = block + KEY_BLOCK < count ? block + KEY_BLOCK : count;
        for (int32_t i = block; i < end; i++)
            if (StatNameKey[i] == key && memcmp(StatFolded[i], want, STAT_NAME_FIELD) == 0)
                return i;
    }
    return -1;
}

void StatAccumulate(int32_t slot, double x)
{
    int32_t n = StatCount[slot];
    if (n == STAT_COUNT_MAX)
        return;
    if (n == 0) {
        StatMin[slot] = x;
        StatMax[slot] = x;
    }
    StatSum[slot] = StatSum[slot] + x;
    StatSumSq[slot] = x * x + StatSumSq[slot];
    /* A NaN never stays the minimum or maximum once a number comes. */
    if (x < StatMin[slot] || (isnan(StatMin[slot]) && !isnan(x)))
        StatMin[slot] = x;
    if (x > StatMax[slot] || (isnan(StatMax[slot]) && !isnan(x)))
        StatMax[slot] = x;
    n++;
    double delta = x - StatMean[slot];
    StatMean[slot] += delta / n;
    StatM2[slot] += delta * (x - StatMean[slot]);
    StatCount[slot] = n;
}

void StatClearSlot(int32_t slot)
{
    StatCount[slot] = 0;
    StatSum[slot] = 0.0;
    StatSumSq[slot] = 0.0;
    StatMin[slot] = 0.0;
    StatMax[slot] = 0.0;
    StatMean[slot] = 0.0;
    StatM2[slot] = 0.0;
}

double StatStdDev(int32_t slot)
{
    int32_t n = StatCount[slot];
    if (n < 2)
        return 0.0;
    double m2 = StatM2[slot];
    if (m2 < 0.0)
        m2 = 0.0;
    return sqrt(m2 / (double)(n - 1));
}
