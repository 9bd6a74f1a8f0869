/* Call templates for the host's script editor. */
#include <string.h>

#include "velmok.h"

/* Packed selection: low 16 bits the first selected character, high 16
 * bits the one after the selection. */
#define SELECTION(start, end) ((vx_dword)(start) | ((vx_dword)(end) << 16))

static const struct {
    const char *name;
    const char *tail;
    vx_dword selection;
} templates[] = {
    {"StatSample", " ( TagName );", SELECTION(13, 20)},
    {"StatSampleAll", " ();", SELECTION(16, 16)},
    {"StatReset", " ( TagName );", SELECTION(12, 19)},
    {"StatResetAll", " ();", SELECTION(15, 15)},
    {"StatGetAverage", " ( TagName, Trigger );", SELECTION(17, 24)},
    {"StatGetMax", " ( TagName, Trigger );", SELECTION(13, 20)},
    {"StatGetMin", " ( TagName, Trigger );", SELECTION(13, 20)},
    {"StatGetStdDev", " ( TagName, Trigger );", SELECTION(16, 23)},
    {"StatGetSampleCount", " ( TagName, Trigger );", SELECTION(21, 28)},
    {"StatGetSumXSquared", " ( TagName, Trigger );", SELECTION(21, 28)},
};

/* Whole-string comparison with only A-Z folded. The system's linguistic
 * comparison would also pass over hyphens and apostrophes, so that
 * "Stat-Sample" matched StatSample and got a selection one character
 * off; a name must have exactly the row's length for its indices. */
static int same_ignoring_case(const char *a, const char *b)
{
    for (;; a++, b++) {
        unsigned char x = (unsigned char)*a, y = (unsigned char)*b;
        if (x >= 'A' && x <= 'Z') x += 32;
        if (y >= 'A' && y <= 'Z') y += 32;
        if (x != y)
            return 0;
        if (x == 0)
            return 1;
    }
}

/* The name is copied as written, then every row is compared with the
 * name (not with the buffer) and a matching row's text appended; at most
 * one row can match. Missing pointers give an empty result, not a
 * fault in the host's editor. */
vx_dword VX_WINAPI MyPasteBuiltInFuncs(const char *functionName, char *output)
{
    if (!output)
        return 0;
    if (!functionName) {
        output[0] = 0;
        return 0;
    }
    vx_dword result = 0;
    size_t len = strlen(functionName);
    memmove(output, functionName, len + 1);
    for (size_t i = 0; i < sizeof templates / sizeof templates[0]; i++) {
        if (same_ignoring_case(functionName, templates[i].name)) {
            strcpy(output + len, templates[i].tail);
            result = templates[i].selection;
        }
    }
    return result;
}
