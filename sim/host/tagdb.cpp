/* Tag database file and signals.
 *
 * One tag a line: name, signal kind, then key=value parameters; blank
 * lines are skipped, and # starts a comment to the end of the line.
 *     FIC101.PV   sine    mean=42.5 amplitude=6 period=900 noise=0.3 seed=101
 */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tagdb.h"

static const char *const kind_names[] = {"constant", "ramp", "sine", "step", "random", "assigned"};

/* Which parameters each kind takes; noise and seed go with every kind
 * except assigned. */
static const char *const kind_params[] = {
    "value noise seed",
    "start rate noise seed",
    "mean amplitude period phase noise seed",
    "low high period noise seed",
    "mean spread seed",
    "value",
};

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

int tagdb_find(const TagDb *db, const char *name)
{
    for (size_t i = 0; i < db->tags.size(); i++)
        if (same_name(db->tags[i].name.c_str(), name))
            return (int)i;
    return -1;
}

static int takes_param(int kind, const std::string &key)
{
    const char *p = kind_params[kind];
    size_t n = key.size();
    while (*p) {
        const char *end = strchr(p, ' ');
        size_t len = end ? (size_t)(end - p) : strlen(p);
        if (len == n && strncmp(p, key.c_str(), n) == 0)
            return 1;
        if (!end) break;
        p = end + 1;
    }
    return 0;
}

static int set_param(HostTag *t, const std::string &key, double v)
{
    if (key == "value") t->value = v;
    else if (key == "start") t->start = v;
    else if (key == "rate") t->rate = v;
    else if (key == "mean") t->mean = v;
    else if (key == "amplitude") t->amplitude = v;
    else if (key == "period") t->period = v;
    else if (key == "phase") t->phase = v;
    else if (key == "low") t->low = v;
    else if (key == "high") t->high = v;
    else if (key == "spread") t->spread = v;
    else if (key == "noise") t->noise = v;
    else if (key == "seed") {
        if (v < 0 || v != floor(v) || v > 9007199254740992.0) return -1;
        t->seed = (uint64_t)v;
    } else return -1;
    return 0;
}

static std::vector<std::string> split_words(const std::string &line)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) i++;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') i++;
        if (i > start && line[start] == '#')
            break; /* a comment to the end of the line */
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

static int parse_number(const std::string &text, double *out)
{
    if (text.empty()) return -1;
    char *end = NULL;
    double v = strtod(text.c_str(), &end);
    if (*end != 0 || !isfinite(v)) return -1;
    *out = v;
    return 0;
}

static int fail(std::string *error, const TagDb *db, int line, const std::string &what)
{
    char number[16];
    snprintf(number, sizeof number, "%d", line);
    *error = db->path + ":" + number + ": " + what;
    return -1;
}

/* One line of the file: name, kind, parameters. */
static int parse_tag(TagDb *db, const std::string &text, int line, std::string *error)
{
    std::vector<std::string> w = split_words(text);
    if (w.empty())
        return 0;
    HostTag t = HostTag();
    t.name = w[0];
    t.line = line;
    t.period = 60;
    if (t.name.size() > HOST_TAGNAME_MAX)
        return fail(error, db, line, "expected a tag name of at most 63 characters");
    int other = tagdb_find(db, t.name.c_str());
    if (other >= 0) {
        char was[16];
        snprintf(was, sizeof was, "%d", db->tags[(size_t)other].line);
        return fail(error, db, line, "tag " + t.name + " is defined already, at line " + was);
    }
    if (w.size() < 2)
        return fail(error, db, line, "expected a signal after " + t.name +
                                         " (constant, ramp, sine, step, random or assigned)");
    t.kind = -1;
    for (int k = 0; k <= SIGNAL_ASSIGNED; k++)
        if (w[1] == kind_names[k]) t.kind = k;
    if (t.kind < 0)
        return fail(error, db, line, "expected a signal (constant, ramp, sine, step, random or assigned), found \"" +
                                         w[1] + "\"");
    for (size_t i = 2; i < w.size(); i++) {
        size_t eq = w[i].find('=');
        if (eq == std::string::npos || eq == 0)
            return fail(error, db, line, "expected key=value, found \"" + w[i] + "\"");
        std::string key = w[i].substr(0, eq);
        double v;
        if (!takes_param(t.kind, key))
            return fail(error, db, line, std::string("expected one of: ") + kind_params[t.kind] + " (for " +
                                             kind_names[t.kind] + "), found \"" + key + "\"");
        if (parse_number(w[i].substr(eq + 1), &v) != 0 || set_param(&t, key, v) != 0)
            return fail(error, db, line, "expected a number after " + key + "=");
    }
    if ((t.kind == SIGNAL_SINE || t.kind == SIGNAL_STEP) && !(t.period >= 0.002))
        return fail(error, db, line, "expected a period of at least 0.002 seconds");
    db->tags.push_back(t);
    return 0;
}

int tagdb_load(TagDb *db, const char *path, std::string *error)
{
    db->path = path;
    db->tags.clear();
    FILE *f = fopen(path, "rb");
    if (!f) {
        *error = db->path + ": cannot open the tag database";
        return -1;
    }
    std::string text;
    int line = 0, c, rc = 0;
    do {
        c = fgetc(f);
        if (c == '\n' || c == EOF) {
            line++;
            if (!text.empty() && text[text.size() - 1] == '\r')
                text.erase(text.size() - 1);
            if ((c == '\n' || !text.empty()) && parse_tag(db, text, line, error) != 0) {
                rc = -1;
                break;
            }
            text.clear();
        } else {
            text += (char)c;
        }
    } while (c != EOF);
    fclose(f);
    return rc;
}

/* splitmix64: a well-mixed 64-bit value from any 64-bit input. */
static uint64_t mix(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

double signal_uniform(uint64_t seed, int64_t ms)
{
    uint64_t r = mix(mix(seed) ^ (uint64_t)ms);
    return (double)(r >> 11) * (1.0 / 9007199254740992.0);
}

double tag_value(const HostTag *t, int64_t ms)
{
    const double pi = 3.14159265358979323846;
    double s = (double)ms / 1000.0, v = 0;
    switch (t->kind) {
    case SIGNAL_CONSTANT:
    case SIGNAL_ASSIGNED:
        v = t->value;
        break;
    case SIGNAL_RAMP:
        v = t->start + t->rate * s;
        break;
    case SIGNAL_SINE:
        v = t->mean + t->amplitude * sin(2 * pi * s / t->period + t->phase * pi / 180);
        break;
    case SIGNAL_STEP: {
        int64_t period = (int64_t)llround(t->period * 1000);
        int64_t into = ms % period;
        if (into < 0) into += period;
        v = into < period / 2 ? t->low : t->high;
        break;
    }
    case SIGNAL_RANDOM:
        return t->mean + t->spread * (2 * signal_uniform(t->seed, ms) - 1);
    }
    if (t->noise != 0 && t->kind != SIGNAL_ASSIGNED)
        v += t->noise * (2 * signal_uniform(t->seed, ms) - 1);
    return v;
}
