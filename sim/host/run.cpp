/* The host's side of a script run. Tag values change only when the
 * clock moves or a script assigns one, so they are handed to the
 * point-access stand-in then, and every read in between gets them. */
#include <stdio.h>

#include "../vlx/vlx_sim.h"
#include "report.h"
#include "run.h"

/* A repeat of this many passes or more shows a progress line. */
#define PROGRESS_PASSES 1000

void run_publish(HostRun *run)
{
    for (size_t i = 0; i < run->db->tags.size(); i++) {
        const HostTag *t = &run->db->tags[i];
        VlxSimSetValue(t->name.c_str(), tag_value(t, run->clock_ms));
    }
}

static int fail(const Script *script, const Statement *s, const std::string &what, std::string *error)
{
    char number[16];
    snprintf(number, sizeof number, "%d", s->line);
    *error = script->path + ":" + number + ": " + what;
    return -1;
}

static void print_call(HostRun *run, const Statement *s, const CallResult *r)
{
    std::string value;
    if (r->is_double) {
        value = format_double(r->real);
    } else {
        char n[16];
        snprintf(n, sizeof n, "%ld", (long)r->integer);
        value = n;
        if (r->integer == -1 && (s->function == FN_SAMPLE || s->function == FN_RESET))
            value += " (not in the table)";
    }
    fprintf(run->out, "%s  %s = %s\n", format_clock(run->clock_ms).c_str(), call_text(s).c_str(), value.c_str());
}

static void show_progress(HostRun *run, const Statement *s, int64_t pass)
{
    fprintf(stderr, "\rline %d: repeat %lld of %lld, clock %s ", s->line, (long long)pass, (long long)s->count,
            format_clock(run->clock_ms).c_str());
    fflush(stderr);
}

/* Run statements first to last (exclusive); depth counts the repeats
 * around them. Calls inside a repeat print nothing. */
static int run_block(HostRun *run, const Script *script, size_t first, size_t last, int depth,
                     std::string *error)
{
    for (size_t i = first; i < last; i++) {
        const Statement *s = &script->statements[i];
        switch (s->kind) {
        case ST_CALL: {
            CallResult r;
            if (module_call(run->module, s->function, s->text.c_str(), s->trigger, &r) != 0)
                return fail(script, s, module_name(run->module) + " does not export " + STAT_FUNCTIONS[s->function].name,
                            error);
            if (depth == 0)
                print_call(run, s, &r);
            break;
        }
        case ST_SET: {
            int t = tagdb_find(run->db, s->text.c_str());
            if (t < 0)
                return fail(script, s, "expected a tag of the tag database " + run->db->path + ", found \"" +
                                           s->text + "\"", error);
            HostTag *tag = &run->db->tags[(size_t)t];
            tag->kind = SIGNAL_ASSIGNED;
            tag->value = s->value;
            VlxSimSetValue(tag->name.c_str(), s->value);
            if (depth == 0)
                fprintf(run->out, "%s  %s = %s\n", format_clock(run->clock_ms).c_str(), tag->name.c_str(),
                        format_double(s->value).c_str());
            break;
        }
        case ST_ADVANCE:
            run->clock_ms += s->ms;
            run_publish(run);
            break;
        case ST_REPEAT: {
            int show = run->progress && depth == 0 && s->count >= PROGRESS_PASSES;
            for (int64_t pass = 1; pass <= s->count; pass++) {
                if (run_block(run, script, i + 1, s->end, depth + 1, error))
                    return -1;
                if (show && (pass % 100 == 0 || pass == s->count))
                    show_progress(run, s, pass);
            }
            if (show)
                fprintf(stderr, "\n");
            i = s->end;
            break;
        }
        case ST_PRINT:
            fprintf(run->out, "%s\n", s->text.c_str());
            break;
        case ST_TABLE:
            if (run_table(run, error))
                return fail(script, s, *error, error);
            break;
        }
    }
    return 0;
}

int run_table(HostRun *run, std::string *error)
{
    std::vector<std::string> names = read_tag_list(run->tag_list_path);
    std::vector<SummaryRow> rows;
    if (summary_rows(run->module, run->db, names, &rows, error))
        return -1;
    fprintf(run->out, "\nSummary at %s: %d line%s in STATTAGS.CSV, %d tag%s\n", format_clock(run->clock_ms).c_str(),
            (int)names.size(), names.size() == 1 ? "" : "s", (int)rows.size(), rows.size() == 1 ? "" : "s");
    print_table(run->out, rows);
    fprintf(run->out, "\n");
    return 0;
}

int run_script(HostRun *run, const Script *script, std::string *error)
{
    run->clock_ms = 0;
    VlxSimReset();
    run_publish(run);
    if (run_block(run, script, 0, script->statements.size(), 0, error))
        return -1;
    return run_table(run, error);
}
