/* Parser of host scripts. */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "module.h"
#include "script.h"

#define MAX_REPEAT 1000000000LL

struct Cursor {
    const char *p;
    std::string *error;
    const Script *script;
    int line;
};

static int fail(Cursor *c, const std::string &what)
{
    char number[16];
    snprintf(number, sizeof number, "%d", c->line);
    *c->error = c->script->path + ":" + number + ": " + what;
    return -1;
}

static void skip_blanks(Cursor *c)
{
    while (*c->p == ' ' || *c->p == '\t')
        c->p++;
}

static int at_line_end(Cursor *c)
{
    skip_blanks(c);
    return *c->p == 0 || *c->p == '#';
}

/* What stands at the cursor, for messages: a quoted text, or the next
 * word or character in double quotes. */
static std::string found(Cursor *c)
{
    if (at_line_end(c))
        return "the end of the line";
    const char *e = c->p + 1;
    if (*c->p == '"') {
        while (*e && *e != '"')
            e++;
        return *e ? std::string(c->p, (size_t)(e + 1 - c->p)) : std::string(c->p);
    }
    while (*e && *e != ' ' && *e != '\t' && !strchr("(),;\"", *e))
        e++;
    return "\"" + std::string(c->p, (size_t)(e - c->p)) + "\"";
}

static int expect_end(Cursor *c, const char *after)
{
    if (at_line_end(c))
        return 0;
    return fail(c, std::string("expected the end of the line after ") + after + ", found " + found(c));
}

static std::string word(Cursor *c)
{
    skip_blanks(c);
    const char *s = c->p;
    while ((*c->p >= 'A' && *c->p <= 'Z') || (*c->p >= 'a' && *c->p <= 'z') || (*c->p >= '0' && *c->p <= '9') ||
           *c->p == '_')
        c->p++;
    return std::string(s, (size_t)(c->p - s));
}

/* "text", with \" and \\ inside. */
static int quoted(Cursor *c, std::string *out, const char *what)
{
    skip_blanks(c);
    if (*c->p != '"')
        return fail(c, std::string("expected ") + what + " in double quotes, found " + found(c));
    out->clear();
    for (c->p++; *c->p != '"'; c->p++) {
        if (*c->p == 0)
            return fail(c, "expected a closing \" before the end of the line");
        if (*c->p == '\\' && (c->p[1] == '"' || c->p[1] == '\\'))
            c->p++;
        *out += *c->p;
    }
    c->p++;
    return 0;
}

/* A number: digits with an optional sign, point and exponent, or nan,
 * inf, -inf. */
static int number(Cursor *c, double *out)
{
    skip_blanks(c);
    const char *s = c->p;
    for (const char *special : {"nan", "inf", "-inf", "+inf"}) {
        size_t n = strlen(special);
        if (strncmp(s, special, n) == 0 && (s[n] == 0 || strchr(" \t#;),", s[n]))) {
            c->p += n;
            *out = special[0] == 'n' ? nan("") : special[0] == '-' ? -INFINITY : INFINITY;
            return 0;
        }
    }
    if (!(*s == '-' || *s == '+' || *s == '.' || (*s >= '0' && *s <= '9')))
        return -1;
    char *end = NULL;
    double v = strtod(s, &end);
    if (end == s || (*end && !strchr(" \t#;),", *end)))
        return -1;
    c->p = end;
    *out = v;
    return 0;
}

static int parse_call(Cursor *c, Statement *s, const std::string &name)
{
    const StatFunctionInfo *f = &STAT_FUNCTIONS[s->function];
    static const char *const wants[] = {"no arguments", "1 argument (TagName)", "2 arguments (TagName, Trigger)",
                                        "2 arguments (TagName, Trigger)"};
    int want = f->shape == SHAPE_NONE ? 0 : f->shape == SHAPE_TAG ? 1 : 2;
    skip_blanks(c);
    if (*c->p != '(')
        return fail(c, "expected \"(\" after " + name + ", found " + found(c));
    c->p++;
    int got = 0;
    skip_blanks(c);
    while (*c->p != ')') {
        if (got > 0) {
            if (*c->p != ',')
                return fail(c, "expected \",\" or \")\" in the call of " + name + ", found " + found(c));
            c->p++;
        }
        if (got == 0) {
            if (want == 0)
                return fail(c, std::string(f->name) + " takes no arguments, found " + found(c));
            if (quoted(c, &s->text, "a tag name"))
                return -1;
        } else {
            double v;
            if (got >= want)
                return fail(c, std::string(f->name) + " takes " + wants[f->shape] + ", found more");
            skip_blanks(c);
            const char *at = c->p;
            if (number(c, &v) != 0 || v != floor(v) || v < -2147483648.0 || v > 2147483647.0) {
                c->p = at;
                return fail(c, "expected a Trigger, a whole number, found " + found(c));
            }
            s->trigger = (int32_t)v;
        }
        got++;
        skip_blanks(c);
    }
    c->p++;
    if (got != want) {
        char n[16];
        snprintf(n, sizeof n, "%d", got);
        return fail(c, std::string(f->name) + " takes " + wants[f->shape] + ", found " + n);
    }
    skip_blanks(c);
    if (*c->p == ';')
        c->p++;
    return expect_end(c, "the call");
}

static int parse_line(Cursor *c, Script *script, std::vector<size_t> *open)
{
    if (at_line_end(c))
        return 0;
    Statement s = Statement();
    s.line = c->line;
    std::string w = word(c);
    if (w.empty())
        return fail(c, "expected a statement (a Stat function call, set, advance, repeat, end, print or table), "
                       "found " + found(c));
    s.function = stat_function_find(w.c_str());
    if (s.function >= 0) {
        s.kind = ST_CALL;
        if (parse_call(c, &s, w))
            return -1;
    } else if (w == "set") {
        s.kind = ST_SET;
        skip_blanks(c);
        if (*c->p == '"') {
            if (quoted(c, &s.text, "a tag name"))
                return -1;
        } else {
            const char *n = c->p;
            while (*c->p && *c->p != ' ' && *c->p != '\t' && *c->p != '=')
                c->p++;
            s.text.assign(n, (size_t)(c->p - n));
            if (s.text.empty())
                return fail(c, "expected a tag name after set, found " + found(c));
        }
        skip_blanks(c);
        if (*c->p != '=')
            return fail(c, "expected \"=\" after set " + s.text + ", found " + found(c));
        c->p++;
        if (number(c, &s.value) != 0)
            return fail(c, "expected a number after \"=\", found " + found(c));
        if (expect_end(c, "the value"))
            return -1;
    } else if (w == "advance") {
        double seconds;
        s.kind = ST_ADVANCE;
        skip_blanks(c);
        const char *at = c->p;
        if (number(c, &seconds) != 0 || !(seconds >= 0) || seconds > 1e12)
            return c->p = at, fail(c, "expected a number of seconds after advance, found " + found(c));
        s.ms = llround(seconds * 1000);
        if (expect_end(c, "the seconds"))
            return -1;
    } else if (w == "repeat") {
        double n;
        s.kind = ST_REPEAT;
        skip_blanks(c);
        const char *at = c->p;
        if (number(c, &n) != 0 || n != floor(n) || n < 0 || n > (double)MAX_REPEAT)
            return c->p = at, fail(c, "expected a number of passes after repeat (0 to 1000000000), found " + found(c));
        s.count = (int64_t)n;
        if (expect_end(c, "the passes"))
            return -1;
        open->push_back(script->statements.size());
    } else if (w == "end") {
        s.kind = ST_END;
        if (open->empty())
            return fail(c, "expected a repeat before this end");
        if (expect_end(c, "end"))
            return -1;
        script->statements[open->back()].end = script->statements.size();
        open->pop_back();
    } else if (w == "print") {
        s.kind = ST_PRINT;
        if (!at_line_end(c) && quoted(c, &s.text, "the text"))
            return -1;
        if (expect_end(c, "the text"))
            return -1;
    } else if (w == "table") {
        s.kind = ST_TABLE;
        if (expect_end(c, "table"))
            return -1;
    } else {
        c->p -= w.size();
        return fail(c, "expected a statement (a Stat function call, set, advance, repeat, end, print or table), "
                       "found " + found(c));
    }
    script->statements.push_back(s);
    return 0;
}

int script_parse(Script *script, const char *path, std::string *error)
{
    script->path = path;
    script->statements.clear();
    FILE *f = fopen(path, "rb");
    if (!f) {
        *error = script->path + ": cannot open the script";
        return -1;
    }
    Cursor c = {NULL, error, script, 0};
    std::vector<size_t> open;
    std::string text;
    int ch, rc = 0;
    do {
        ch = fgetc(f);
        if (ch != '\n' && ch != EOF) {
            text += ch == 0 ? ' ' : (char)ch;
            continue;
        }
        if (ch == EOF && text.empty())
            break;
        if (!text.empty() && text[text.size() - 1] == '\r')
            text.erase(text.size() - 1);
        c.line++;
        c.p = text.c_str();
        if (parse_line(&c, script, &open)) {
            rc = -1;
            break;
        }
        text.clear();
    } while (ch != EOF);
    fclose(f);
    if (rc == 0 && !open.empty()) {
        c.line = script->statements[open.back()].line;
        rc = fail(&c, "expected an end for this repeat");
    }
    return rc;
}

std::string call_text(const Statement *s)
{
    const StatFunctionInfo *f = &STAT_FUNCTIONS[s->function];
    std::string text = std::string(f->name) + "(";
    if (f->shape != SHAPE_NONE) {
        text += "\"";
        for (size_t i = 0; i < s->text.size(); i++) {
            if (s->text[i] == '"' || s->text[i] == '\\')
                text += '\\';
            text += s->text[i];
        }
        text += "\"";
    }
    if (f->shape == SHAPE_TAG_TRIGGER || f->shape == SHAPE_TAG_TRIGGER_DBL) {
        char n[16];
        snprintf(n, sizeof n, ", %ld", (long)s->trigger);
        text += n;
    }
    return text + ")";
}
