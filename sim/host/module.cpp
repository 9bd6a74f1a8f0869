/* Loading VELMOK.dll and calling its statistics functions through the
 * same prototypes the host's script engine uses. */
#include <string.h>

#include "module.h"

const StatFunctionInfo STAT_FUNCTIONS[FN_COUNT] = {
    {"StatSample", SHAPE_TAG},
    {"StatSampleAll", SHAPE_NONE},
    {"StatReset", SHAPE_TAG},
    {"StatResetAll", SHAPE_NONE},
    {"StatGetAverage", SHAPE_TAG_TRIGGER_DBL},
    {"StatGetMin", SHAPE_TAG_TRIGGER_DBL},
    {"StatGetMax", SHAPE_TAG_TRIGGER_DBL},
    {"StatGetStdDev", SHAPE_TAG_TRIGGER_DBL},
    {"StatGetSampleCount", SHAPE_TAG_TRIGGER},
    {"StatGetSumXSquared", SHAPE_TAG_TRIGGER_DBL},
};

typedef LONG(WINAPI *NoArgFn)(void);
typedef LONG(WINAPI *TagFn)(LPCSTR);
typedef LONG(WINAPI *TagTriggerFn)(LPCSTR, LONG);
typedef double(WINAPI *TagTriggerDblFn)(LPCSTR, LONG);

int stat_function_find(const char *name)
{
    for (int i = 0; i < FN_COUNT; i++)
        if (lstrcmpiA(name, STAT_FUNCTIONS[i].name) == 0)
            return i;
    return -1;
}

std::string module_default_path(void)
{
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, self, sizeof self);
    if (n == 0 || n >= sizeof self)
        return "VELMOK.dll";
    std::string path(self, n);
    size_t slash = path.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "VELMOK.dll";
}

int module_load(Module *m, const char *path, std::string *error)
{
    m->path = path;
    m->handle = LoadLibraryA(path);
    if (!m->handle) {
        char code[32];
        wsprintfA(code, "%lu", GetLastError());
        *error = std::string("cannot load ") + path + " (error " + code + ")";
        return -1;
    }
    for (int i = 0; i < FN_COUNT; i++)
        m->stat[i] = GetProcAddress(m->handle, STAT_FUNCTIONS[i].name);
    return 0;
}

std::string module_name(const Module *m)
{
    size_t slash = m->path.find_last_of("\\/");
    return slash == std::string::npos ? m->path : m->path.substr(slash + 1);
}

FARPROC module_entry(const Module *m, const char *name, std::string *error)
{
    FARPROC f = GetProcAddress(m->handle, name);
    if (!f)
        *error = module_name(m) + " does not export " + name;
    return f;
}

/* GetProcAddress hands out one pointer type; each shape has its own. */
template <typename T> static T as(FARPROC f)
{
    T t;
    memcpy(&t, &f, sizeof t);
    return t;
}

int module_call(const Module *m, int function, const char *tag, LONG trigger, CallResult *out)
{
    FARPROC f = m->stat[function];
    out->is_double = 0;
    out->integer = 0;
    out->real = 0;
    if (!f)
        return -1;
    switch (STAT_FUNCTIONS[function].shape) {
    case SHAPE_NONE:
        out->integer = as<NoArgFn>(f)();
        break;
    case SHAPE_TAG:
        out->integer = as<TagFn>(f)(tag);
        break;
    case SHAPE_TAG_TRIGGER:
        out->integer = as<TagTriggerFn>(f)(tag, trigger);
        break;
    default:
        out->is_double = 1;
        out->real = as<TagTriggerDblFn>(f)(tag, trigger);
        break;
    }
    return 0;
}
