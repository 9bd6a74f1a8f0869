/* Point-access stand-in: a small in-memory tag database behind the four
 * VLX functions, with call counts and a call log for the tests. */
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "../../host/vlx.h"
#include "vlx_sim.h"

#define SIM_TAGS 4096
#define SIM_NAME 64
#define SIM_LOG 65536

static char tag_name[SIM_TAGS][SIM_NAME];
static double tag_value[SIM_TAGS];
static unsigned char tag_removed[SIM_TAGS]; /* kept so other handles stay */
static int tag_count;
static vx_dword next_connection = 1;
static int fail_init;
static vx_long calls[VLXSIM_FUNCTIONS];
static char log_text[SIM_LOG];
static size_t log_len;

static int same_name(const char *a, const char *b)
{
    for (;; a++, b++) {
        unsigned char x = (unsigned char)*a, y = (unsigned char)*b;
        if (x >= 'A' && x <= 'Z') x += 32;
        if (y >= 'A' && y <= 'Z') y += 32;
        if (x != y) return 0;
        if (!x) return 1;
    }
}

static int find(const char *name)
{
    for (int i = 0; i < tag_count; i++)
        if (!tag_removed[i] && same_name(tag_name[i], name))
            return i;
    return -1;
}

static void log_line(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
static void log_line(const char *fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    if (log_len < SIM_LOG) {
        int n = vsnprintf(log_text + log_len, SIM_LOG - log_len, fmt, ap);
        if (n > 0)
            log_len = log_len + (size_t)n < SIM_LOG ? log_len + (size_t)n : SIM_LOG - 1;
    }
    va_end(ap);
}

vx_dword VX_WINAPI VlxInit(vx_dword first, vx_dword second)
{
    calls[VLXSIM_INIT]++;
    vx_dword c = fail_init ? 0 : next_connection++;
    if (next_connection == 0)
        next_connection = 1;
    log_line("VlxInit(%u,%u)=%u\n", (unsigned)first, (unsigned)second, (unsigned)c);
    return c;
}

vx_dword VX_WINAPI VlxActivate(vx_dword connection, const char *tagName)
{
    calls[VLXSIM_ACTIVATE]++;
    int i = tagName ? find(tagName) : -1;
    vx_dword point = i < 0 ? 0 : (vx_dword)i + 1;
    log_line("VlxActivate(%u,\"%s\")=%u\n", (unsigned)connection, tagName ? tagName : "(null)",
             (unsigned)point);
    return point;
}

double VX_WINAPI VlxReadA(vx_dword connection, vx_dword point)
{
    calls[VLXSIM_READ]++;
    log_line("VlxReadA(%u,%u)\n", (unsigned)connection, (unsigned)point);
    if (point == 0 || point > (vx_dword)tag_count)
        return 0.0;
    return tag_value[point - 1];
}

vx_dword VX_WINAPI VlxShutdown(vx_dword connection)
{
    calls[VLXSIM_SHUTDOWN]++;
    log_line("VlxShutdown(%u)\n", (unsigned)connection);
    return 1;
}

void VX_WINAPI VlxSimReset(void)
{
    tag_count = 0;
    fail_init = 0;
    memset(calls, 0, sizeof calls);
    log_len = 0;
    log_text[0] = 0;
}

vx_long VX_WINAPI VlxSimSetValue(const char *name, double value)
{
    int i = find(name);
    if (i < 0) {
        if (tag_count == SIM_TAGS || strlen(name) >= SIM_NAME)
            return -1;
        i = tag_count++;
        strcpy(tag_name[i], name);
        tag_removed[i] = 0;
    }
    tag_value[i] = value;
    return 0;
}

void VX_WINAPI VlxSimRemove(const char *name)
{
    int i = find(name);
    if (i >= 0)
        tag_removed[i] = 1;
}

void VX_WINAPI VlxSimFailInit(vx_long fail)
{
    fail_init = fail != 0;
}

vx_long VX_WINAPI VlxSimCalls(vx_long function)
{
    return function >= 0 && function < VLXSIM_FUNCTIONS ? calls[function] : 0;
}

vx_long VX_WINAPI VlxSimLog(char *buffer, vx_long size)
{
    if (buffer && size > 0) {
        size_t n = log_len < (size_t)size - 1 ? log_len : (size_t)size - 1;
        memcpy(buffer, log_text, n);
        buffer[n] = 0;
    }
    return (vx_long)log_len;
}
