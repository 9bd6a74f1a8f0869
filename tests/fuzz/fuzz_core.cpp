/* Fuzz target for the statistics core: arbitrary bytes as a tag list,
 * read from memory at two block sizes and loaded from a real file, and
 * arbitrary names looked up in the loaded table. Each result is checked
 * against a plain byte-at-a-time model of the same rules. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "plat/plat_posix.h"
#include "sim/vlx/vlx_sim.h"
#include "stat/loader.h"
#include "stat/table.h"
#include "stat/tagfile.h"

/* Larger inputs are passed over; the model keeps every line of these. */
#define MAX_INPUT 8192

static char model_line[MAX_INPUT][STAT_NAME_FIELD];
static int model_count;
static char read_line[STAT_NAME_FIELD];
static TagFileReader reader;
static char app_dir[256];
static char list_path[300];

#define CHECK(cond)                                                            \
    do {                                                                       \
        if (!(cond)) {                                                         \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            abort();                                                           \
        }                                                                      \
    } while (0)

static unsigned char fold(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c + 32) : c;
}

static int same_name(const char *x, const char *y)
{
    for (;; x++, y++) {
        if (fold((unsigned char)*x) != fold((unsigned char)*y))
            return 0;
        if (!*x)
            return 1;
    }
}

/* The reading rules one byte at a time: CR LF is LF, other CRs are
 * characters, Ctrl-Z ends, zero bytes vanish, the tail after the last
 * LF is no line, lines over 32 characters are skipped. */
static void model_read(const uint8_t *d, size_t n)
{
    char cur[STAT_NAME_FIELD];
    size_t len = 0;
    int too_long = 0;
    model_count = 0;
    for (size_t i = 0; i < n && d[i] != 26; i++) {
        unsigned char c = d[i];
        if (c == '\r' && i + 1 < n && d[i + 1] == '\n')
            c = d[++i];
        if (c == '\n') {
            if (!too_long) {
                memcpy(model_line[model_count], cur, len);
                model_line[model_count++][len] = 0;
            }
            len = 0;
            too_long = 0;
        } else if (c != 0) {
            if (len == STAT_TAGNAME_MAX)
                too_long = 1;
            else
                cur[len++] = (char)c;
        }
    }
}

static void check_reader(void)
{
    int i = 0;
    while (TagFileNextLine(&reader, read_line)) {
        size_t len = strlen(read_line);
        CHECK(len <= STAT_TAGNAME_MAX);
        CHECK(memchr(read_line, '\n', len) == NULL);
        CHECK(memchr(read_line, 26, len) == NULL);
        CHECK(strstr(read_line, "\r\n") == NULL);
        CHECK(i < model_count);
        CHECK(strcmp(read_line, model_line[i]) == 0);
        i++;
    }
    CHECK(i == model_count);
    CHECK(TagFileNextLine(&reader, read_line) == 0);
    TagFileClose(&reader);
}

/* Whether the stand-in knows a line: by length, which case folding
 * keeps, so the model can tell which lines take a slot. */
static int known(const char *line)
{
    return strlen(line) % 3 != 1;
}

static void remove_dir(void)
{
    unlink(list_path);
    rmdir(app_dir);
}

static void setup_once(void)
{
    if (app_dir[0])
        return;
    const char *tmp = getenv("TMPDIR");
    snprintf(app_dir, sizeof app_dir, "%s/velmok-fuzz-XXXXXX", tmp && *tmp ? tmp : "/tmp");
    CHECK(mkdtemp(app_dir) != NULL);
    snprintf(list_path, sizeof list_path, "%s/%s", app_dir, STAT_TAGLIST_NAME);
    plat_posix_set_app_directory(app_dir);
    atexit(remove_dir);
}

static void check_loader(const uint8_t *d, size_t n)
{
    FILE *f = fopen(list_path, "wb");
    CHECK(f != NULL);
    CHECK(fwrite(d, 1, n, f) == n);
    CHECK(fclose(f) == 0);

    /* Define the known lines the loader can reach: the first 512. */
    VlxSimReset();
    for (int i = 0, defined = 0; i < model_count && defined < STAT_MAX_TAGS; i++)
        if (known(model_line[i])) {
            CHECK(VlxSimSetValue(model_line[i], 1.0) == 0);
            defined++;
        }
    StatConnection = 0;
    StatEnsureLoaded();
    CHECK(StatConnection != 0);
    CHECK(StatLoadedCount >= 0 && StatLoadedCount <= STAT_MAX_TAGS);

    /* The loaded slots are the known lines, in file order, up to 512. */
    int slot = 0;
    for (int i = 0; i < model_count && slot < STAT_MAX_TAGS; i++) {
        if (!known(model_line[i]))
            continue;
        CHECK(slot < StatLoadedCount);
        CHECK(strcmp(StatName[slot], model_line[i]) == 0);
        CHECK(StatPoint[slot] != 0);
        CHECK(StatCount[slot] == 0);
        slot++;
    }
    CHECK(slot == StatLoadedCount);

    /* Every loaded name finds a slot with an equal name at or below its
     * own; for all slots together that means the first of equals wins. */
    for (int i = 0; i < StatLoadedCount; i++) {
        int32_t j = StatFindTag(StatName[i]);
        CHECK(j >= 0 && j <= i);
        CHECK(same_name(StatName[j], StatName[i]));
    }
}

/* The pieces of the input between LFs, whatever their length, as
 * names; the first LOOKUPS of them, to keep each input quick. */
#define LOOKUPS 64

static void check_lookup(const uint8_t *d, size_t n)
{
    static char name[MAX_INPUT + 1];
    size_t start = 0;
    for (size_t i = 0, pieces = 0; i <= n && pieces < LOOKUPS; i++) {
        if (i < n && d[i] != '\n')
            continue;
        size_t len = i - start < sizeof name - 1 ? i - start : sizeof name - 1;
        memcpy(name, d + start, len);
        name[len] = 0;
        start = i + 1;
        pieces++;
        int32_t j = StatFindTag(name);
        int32_t want = -1;
        for (int k = 0; k < StatLoadedCount && want < 0; k++)
            if (same_name(StatName[k], name))
                want = k;
        CHECK(j == want);
        if (strlen(name) > STAT_TAGNAME_MAX)
            CHECK(j == -1);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > MAX_INPUT)
        return 0;
    setup_once();
    model_read(data, size);
    /* A small block size from the first byte, and the loader's own. */
    TagFileOpenMemory(&reader, data, size, size ? 1 + data[0] % 7 : 1);
    check_reader();
    TagFileOpenMemory(&reader, data, size, TAGFILE_BLOCK);
    check_reader();
    check_loader(data, size);
    check_lookup(data, size);
    return 0;
}
