/* What the host prints: call results, clock times and the summary table
 * of the tags in the tag list file. */
#ifndef KELHOST_REPORT_H
#define KELHOST_REPORT_H

#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "module.h"
#include "tagdb.h"

/* A double as the host shows it: up to 10 significant digits, "NaN",
 * "inf", "-inf". */
std::string format_double(double v);
/* Fixed decimals for the table, with the same names for the others. */
std::string format_fixed(double v, int decimals);
/* hh:mm:ss, with .mmm when the milliseconds are not 0. */
std::string format_clock(int64_t ms);

/* The names in STATTAGS.CSV in the working folder, read by the tag
 * list file's rules: CR LF or LF line ends, a last line without one
 * dropped, Ctrl-Z ends the file, zero bytes ignored. Empty when the
 * file cannot be opened. */
std::vector<std::string> read_tag_list(const char *path);

struct SummaryRow {
    std::string name;
    LONG count;
    double average, minimum, maximum, stddev;
    std::string note;
};

/* One row for each name of the list, those equal ignoring the case of
 * A-Z taken once under their first spelling, with the module's answers
 * for it. Gives 0, or -1 when the module lacks one of the functions. */
int summary_rows(const Module *m, const TagDb *db, const std::vector<std::string> &names,
                 std::vector<SummaryRow> *rows, std::string *error);

void print_table(FILE *out, const std::vector<SummaryRow> &rows);

#endif
