/* Number formats and the summary table. */
#include <math.h>
#include <string.h>

#include "report.h"

std::string format_double(double v)
{
    char text[40];
    if (isnan(v))
        return "NaN";
    if (isinf(v))
        return v < 0 ? "-inf" : "inf";
    snprintf(text, sizeof text, "%.10g", v);
    return text;
}

std::string format_fixed(double v, int decimals)
{
    char text[64];
    if (isnan(v) || isinf(v) || fabs(v) >= 1e15)
        return format_double(v);
    snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

std::string format_clock(int64_t ms)
{
    char text[40];
    int64_t s = ms / 1000;
    if (ms % 1000)
        snprintf(text, sizeof text, "%02lld:%02d:%02d.%03d", (long long)(s / 3600), (int)(s / 60 % 60),
                 (int)(s % 60), (int)(ms % 1000));
    else
        snprintf(text, sizeof text, "%02lld:%02d:%02d", (long long)(s / 3600), (int)(s / 60 % 60), (int)(s % 60));
    return text;
}

std::vector<std::string> read_tag_list(const char *path)
{
    std::vector<std::string> names;
    FILE *f = fopen(path, "rb");
    if (!f)
        return names;
    std::string line;
    int c, pending_cr = 0;
    while ((c = fgetc(f)) != EOF && c != 26) {
        if (pending_cr && c != '\n')
            line += '\r';
        pending_cr = 0;
        if (c == '\r')
            pending_cr = 1;
        else if (c == '\n') {
            names.push_back(line);
            line.clear();
        } else if (c != 0)
            line += (char)c;
    }
    fclose(f);
    return names;
}

/* Tag names compare with A-Z folded, as the module compares them. */
static int same_name(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return 0;
    for (size_t i = 0; i < a.size(); i++) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (x >= 'A' && x <= 'Z') x += 32;
        if (y >= 'A' && y <= 'Z') y += 32;
        if (x != y)
            return 0;
    }
    return 1;
}

static int ask(const Module *m, int function, const char *tag, CallResult *r, std::string *error)
{
    if (module_call(m, function, tag, 0, r) == 0)
        return 0;
    *error = module_name(m) + " does not export " + STAT_FUNCTIONS[function].name;
    return -1;
}

/* Why a name of the list has a row worth a second look. */
static std::string row_note(const TagDb *db, const std::vector<std::string> &names, size_t first)
{
    const std::string &name = names[first];
    int listed = 0;
    std::string others;
    for (size_t i = 0; i < names.size(); i++) {
        if (!same_name(names[i], name))
            continue;
        listed++;
        if (names[i] != name && others.find(" " + names[i] + ",") == std::string::npos)
            others += " " + names[i] + ",";
    }
    std::string note;
    if (name.size() > 32)
        note = "over 32 characters, not kept";
    else if (tagdb_find(db, name.c_str()) < 0)
        note = "not in the tag database";
    if (listed > 1) {
        char text[48];
        snprintf(text, sizeof text, "listed %d times", listed);
        note += (note.empty() ? "" : "; ") + std::string(text);
        if (!others.empty())
            note += ", also as" + others.substr(0, others.size() - 1);
    }
    return note;
}

int summary_rows(const Module *m, const TagDb *db, const std::vector<std::string> &names,
                 std::vector<SummaryRow> *rows, std::string *error)
{
    rows->clear();
    for (size_t i = 0; i < names.size(); i++) {
        int seen = 0;
        for (size_t j = 0; j < i && !seen; j++)
            seen = same_name(names[j], names[i]);
        if (seen)
            continue;
        SummaryRow row;
        CallResult r;
        const char *tag = names[i].c_str();
        row.name = names[i];
        if (ask(m, FN_SAMPLE_COUNT, tag, &r, error)) return -1;
        row.count = r.integer;
        if (ask(m, FN_AVERAGE, tag, &r, error)) return -1;
        row.average = r.real;
        if (ask(m, FN_MIN, tag, &r, error)) return -1;
        row.minimum = r.real;
        if (ask(m, FN_MAX, tag, &r, error)) return -1;
        row.maximum = r.real;
        if (ask(m, FN_STDDEV, tag, &r, error)) return -1;
        row.stddev = r.real;
        row.note = row_note(db, names, i);
        rows->push_back(row);
    }
    return 0;
}

/* Cells of one row; statistics that need more samples show "-". */
static void row_cells(const SummaryRow &row, std::string cell[7])
{
    char count[16];
    snprintf(count, sizeof count, "%ld", (long)row.count);
    cell[0] = row.name.empty() ? "(empty line)" : row.name;
    cell[1] = count;
    cell[2] = row.count >= 1 ? format_fixed(row.average, 4) : "-";
    cell[3] = row.count >= 1 ? format_fixed(row.minimum, 4) : "-";
    cell[4] = row.count >= 1 ? format_fixed(row.maximum, 4) : "-";
    cell[5] = row.count >= 2 ? format_fixed(row.stddev, 4) : "-";
    cell[6] = row.note;
}

void print_table(FILE *out, const std::vector<SummaryRow> &rows)
{
    static const char *const heading[7] = {"tag", "count", "average", "minimum", "maximum", "std dev", "note"};
    std::vector<std::vector<std::string>> lines;
    size_t width[7];
    for (int c = 0; c < 7; c++)
        width[c] = strlen(heading[c]);
    for (size_t r = 0; r < rows.size(); r++) {
        std::string cell[7];
        row_cells(rows[r], cell);
        lines.push_back(std::vector<std::string>(cell, cell + 7));
        for (int c = 0; c < 7; c++)
            if (cell[c].size() > width[c])
                width[c] = cell[c].size();
    }
    /* Names and notes left-aligned, numbers right-aligned; no note
     * column when no row has a note. */
    int columns = 6;
    for (size_t r = 0; r < lines.size(); r++)
        if (!lines[r][6].empty())
            columns = 7;
    for (size_t r = 0; r <= lines.size(); r++) {
        std::string text;
        for (int c = 0; c < columns; c++) {
            std::string v = r == 0 ? heading[c] : lines[r - 1][(size_t)c];
            std::string pad(width[c] - v.size(), ' ');
            if (c == 0)
                text += v + pad;
            else if (c == 6)
                text += v.empty() ? "" : "  " + v;
            else
                text += "  " + pad + v;
        }
        fprintf(out, "%s\n", text.c_str());
    }
}
