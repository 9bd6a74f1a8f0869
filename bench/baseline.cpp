/* The plain implementation: one array per slot field, a lookup that
 * folds A-Z and compares each loaded name with the query byte by byte,
 * and a loader that reads the tag list file with one read call per
 * byte under the text-mode rules (CR LF is LF, a lone CR is a
 * character, Ctrl-Z or the end ends the input, a zero byte adds
 * nothing, an unended last line is dropped). Lines longer than a name
 * are skipped whole, as the module's reader does, so both load the
 * same table. */
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include "baseline.h"
#include "host/vlx.h"
#include "plat/plat.h"
#include "stat/table.h"

#define CTRL_Z 26
#define BASE_DIR_FIELD 256 /* the profile value: 255 characters at most */

char BaseName[STAT_MAX_TAGS][BASE_NAME_FIELD];
static uint32_t base_point[STAT_MAX_TAGS];
static int32_t base_count[STAT_MAX_TAGS];
static double base_sum[STAT_MAX_TAGS];
static double base_sum_sq[STAT_MAX_TAGS];
static double base_min[STAT_MAX_TAGS];
static double base_max[STAT_MAX_TAGS];
int32_t BaseLoadedCount;
uint32_t BaseConnection;

static char base_path[BASE_DIR_FIELD + 1 + 12];

static unsigned char fold(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? (unsigned char)(c + 32) : c;
}

static int same_name(const char *a, const char *b)
{
    for (;; a++, b++) {
        unsigned char x = fold((unsigned char)*a), y = fold((unsigned char)*b);
        if (x != y)
            return 0;
        if (x == 0)
            return 1;
    }
}

int32_t BaseFindTag(const char *name)
{
    for (int32_t i = 0; i < BaseLoadedCount; i++)
        if (same_name(BaseName[i], name))
            return i;
    return -1;
}

static void clear_slot(int32_t slot)
{
    base_count[slot] = 0;
    base_sum[slot] = 0.0;
    base_sum_sq[slot] = 0.0;
    base_min[slot] = 0.0;
    base_max[slot] = 0.0;
}

static void accumulate(int32_t slot, double x)
{
    if (base_count[slot] == 0 || x < base_min[slot])
        base_min[slot] = x;
    if (base_count[slot] == 0 || x > base_max[slot])
        base_max[slot] = x;
    base_sum[slot] += x;
    base_sum_sq[slot] += x * x;
    base_count[slot]++;
}

static int read_byte(int fd)
{
    unsigned char b;
    return read(fd, &b, 1) == 1 ? b : -1;
}

static void use_line(const char *line)
{
    uint32_t point = VlxActivate(BaseConnection, line);
    if (point == 0)
        return;
    strcpy(BaseName[BaseLoadedCount], line);
    base_point[BaseLoadedCount] = point;
    BaseLoadedCount++;
}

static void read_lines(int fd)
{
    char line[BASE_NAME_FIELD];
    int n = 0, too_long = 0, held = -2; /* -2: no byte held back */
    while (BaseLoadedCount < STAT_MAX_TAGS) {
        int c = held;
        held = -2;
        if (c == -2)
            c = read_byte(fd);
        if (c < 0 || c == CTRL_Z)
            return;
        if (c == '\r') {
            /* A CR is a line end only with an LF right after it; any
             * other next byte is taken in its own turn. */
            int next = read_byte(fd);
            if (next == '\n')
                c = '\n';
            else
                held = next;
        }
        if (c == '\n') {
            if (!too_long) {
                line[n] = 0;
                use_line(line);
            }
            n = 0;
            too_long = 0;
        } else if (c != 0) {
            if (n == STAT_TAGNAME_MAX)
                too_long = 1;
            else
                line[n++] = (char)c;
        }
    }
}

void BaseEnsureLoaded(void)
{
    if (BaseConnection != 0)
        return;
    BaseConnection = VlxInit(0, 0);
    char directory[BASE_DIR_FIELD];
    directory[0] = 0;
    plat_app_directory(directory, sizeof directory);
    strcpy(base_path, directory);
    strcat(base_path, "\\");
    strcat(base_path, "STATTAGS.CSV");
    /* The native stand-in of a Windows path. */
    for (char *p = base_path; *p; p++)
        if (*p == '\\')
            *p = '/';
    BaseLoadedCount = 0;
    int fd = open(base_path, O_RDONLY);
    if (fd >= 0) {
        read_lines(fd);
        close(fd);
    }
    for (int32_t i = 0; i < BaseLoadedCount; i++)
        clear_slot(i);
}

vx_long BaseSample(const char *TagName)
{
    BaseEnsureLoaded();
    int32_t slot = BaseFindTag(TagName);
    if (slot < 0)
        return -1;
    accumulate(slot, VlxReadA(BaseConnection, base_point[slot]));
    return base_count[slot];
}

double BaseGetAverage(const char *TagName, vx_long Trigger)
{
    BaseEnsureLoaded();
    int32_t slot = BaseFindTag(TagName);
    if (slot < 0 || base_count[slot] < 1)
        return 0.0;
    return base_sum[slot] / (double)base_count[slot];
}
