/* Running a host script against the module: the simulated clock, the
 * tag values served through the point-access stand-in, the calls and
 * what they print. */
#ifndef KELHOST_RUN_H
#define KELHOST_RUN_H

#include <stdint.h>
#include <stdio.h>

#include <string>

#include "module.h"
#include "script.h"
#include "tagdb.h"

struct HostRun {
    const Module *module;
    TagDb *db;
    const char *tag_list_path; /* STATTAGS.CSV, for the summary table */
    FILE *out;
    int progress;              /* progress line on stderr for long repeats */
    int64_t clock_ms;
};

/* Serve every tag's value at the clock's time. */
void run_publish(HostRun *run);

/* Run the script from the clock at 0, then print the summary table.
 * Gives 0, or -1 with "file:line: what went wrong" in error. */
int run_script(HostRun *run, const Script *script, std::string *error);

/* The summary table at the clock's time. Gives 0 or -1 with error. */
int run_table(HostRun *run, std::string *error);

#endif
