/* Host scripts: one statement a line, read whole before anything runs,
 * so a line that cannot be parsed stops the run before its first call.
 *
 *     StatSample("FIC101.PV")           call a statistics function
 *     StatGetAverage("FIC101.PV", 0);   (a closing semicolon may follow)
 *     set HS500.CMD = 1                 assign a tag's value
 *     advance 1                         move the simulated clock, seconds
 *     repeat 3600 ... end               repeat the lines between
 *     print "text"                      print a line
 *     table                             print the summary table now
 *     # comment                         (also after a statement)
 */
#ifndef KELHOST_SCRIPT_H
#define KELHOST_SCRIPT_H

#include <stdint.h>

#include <string>
#include <vector>

enum StatementKind { ST_CALL, ST_SET, ST_ADVANCE, ST_REPEAT, ST_END, ST_PRINT, ST_TABLE };

struct Statement {
    int kind;
    int line;
    int function;      /* call: index into STAT_FUNCTIONS */
    std::string text;  /* call: tag name; set: tag name; print: text */
    int32_t trigger;   /* call: the Trigger argument */
    double value;      /* set: the value */
    int64_t ms;        /* advance: milliseconds */
    int64_t count;     /* repeat: passes */
    size_t end;        /* repeat: index of its end */
};

struct Script {
    std::string path;
    std::vector<Statement> statements;
};

/* Read and parse a script. Gives 0, or -1 with "file:line: what was
 * expected" in error. */
int script_parse(Script *script, const char *path, std::string *error);

/* A call as a script author would write it, e.g. StatGetMin("T1", 0). */
std::string call_text(const Statement *s);

#endif
