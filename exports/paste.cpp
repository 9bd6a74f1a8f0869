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

/* Whole-string comparison with A-Z folded, as the system's
 * case-insensitive comparison gives for these ASCII names. */
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

vx_dword VX_WINAPI MyPasteBuiltInFuncs(const char *functionName, char *output)
{
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
