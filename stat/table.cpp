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
 * byte, a hash of the folded bytes above), or 0 when the name is longer
 * than a slot holds. A real key always has bit 31 set, so never 0. */
static uint32_t fold_name(const char *name, char *field)
{
    uint32_t h = 2166136261u;
    int n = 0;
    memset(field, 0, STAT_NAME_FIELD);
    for (; name[n]; n++) {
        if (n == STAT_TAGNAME_MAX)
            return 0;
        unsigned char c = fold((unsigned char)name[n]);
        field[n] = (char)c;
        h = (h ^ c) * 16777619u;
    }
    return (h & 0x7fffff00u) | 0x80000000u | (uint32_t)n;
}

void StatSetSlot(int32_t slot, const char *name, uint32_t point)
{
    memset(StatName[slot], 0, STAT_NAME_FIELD);
    strncpy(StatName[slot], name, STAT_TAGNAME_MAX);
    StatNameKey[slot] = fold_name(StatName[slot], StatFolded[slot]);
    StatPoint[slot] = point;
}

int32_t StatFindTag(const char *name)
{
    char want[STAT_NAME_FIELD];
    uint32_t key = fold_name(name, want);
    if (key == 0)
        return -1;
    for (int32_t i = 0; i < StatLoadedCount; i++) {
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
