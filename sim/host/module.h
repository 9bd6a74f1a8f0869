/* VELMOK.dll as the host sees it: loaded by path, its entries found by
 * name. An entry the module does not export is NULL, never called. */
#ifndef KELHOST_MODULE_H
#define KELHOST_MODULE_H

#include <windows.h>

#include <string>

/* How a statistics function is called and what it gives back. */
enum CallShape {
    SHAPE_NONE,           /* LONG f(void) */
    SHAPE_TAG,            /* LONG f(TagName) */
    SHAPE_TAG_TRIGGER,    /* LONG f(TagName, Trigger) */
    SHAPE_TAG_TRIGGER_DBL /* double f(TagName, Trigger) */
};

enum StatFunction {
    FN_SAMPLE, FN_SAMPLE_ALL, FN_RESET, FN_RESET_ALL, FN_AVERAGE, FN_MIN, FN_MAX,
    FN_STDDEV, FN_SAMPLE_COUNT, FN_SUM_X_SQUARED, FN_COUNT
};

struct StatFunctionInfo {
    const char *name;
    int shape;
};

/* The ten statistics functions, in the order of StatFunction. */
extern const StatFunctionInfo STAT_FUNCTIONS[FN_COUNT];

/* Index of the function with this name, letters of any case, or -1. */
int stat_function_find(const char *name);

struct Module {
    HMODULE handle;
    std::string path;
    FARPROC stat[FN_COUNT];
};

/* Load the module; gives 0, or -1 with the reason in error. */
int module_load(Module *m, const char *path, std::string *error);

/* The path of VELMOK.dll beside this program. */
std::string module_default_path(void);

struct CallResult {
    int is_double;
    LONG integer;
    double real;
};

/* Call one statistics function. Gives 0, or -1 when the module does not
 * export it (nothing is called then). */
int module_call(const Module *m, int function, const char *tag, LONG trigger, CallResult *out);

/* The module's file name without its folder, for messages. */
std::string module_name(const Module *m);

/* Any other entry by name, or NULL with "... does not export NAME". */
FARPROC module_entry(const Module *m, const char *name, std::string *error);

#endif
