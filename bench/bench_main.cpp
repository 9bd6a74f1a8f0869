/* What a script call and a load cost, the module's code against the
 * plain implementation in baseline.cpp, in one process. Prints Google
 * Benchmark's medians, then a table of both and their ratio, the heap
 * allocations counted on each path, and one line per target. Exits 1
 * when a target is missed or a path allocates, 2 when the two
 * implementations disagree about what they loaded or found. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include <benchmark/benchmark.h>

#include "alloc_count.h"
#include "baseline.h"
#include "exports/velmok.h"
#include "plat/plat_posix.h"
#include "stat/loader.h"
#include "stat/table.h"

/* Every name shares a 25-character prefix and has the same length, so
 * neither a length test nor the first bytes tell two names apart. */
#define NAME_PREFIX "Plant01.Area03.Tank.Level"
#define MISS_NAME NAME_PREFIX "999"

enum { OURS, BASE, IMPLS };
enum { CALL_SAMPLE, CALL_AVERAGE, CALL_LOAD };
enum { QUERY_LAST, QUERY_MISS, QUERY_NONE };

typedef struct Case {
    const char *label;
    int call;
    int tags;
    int query;
} Case;

static const Case cases[] = {
    {"StatSample 1 worst", CALL_SAMPLE, 1, QUERY_LAST},
    {"StatSample 64 worst", CALL_SAMPLE, 64, QUERY_LAST},
    {"StatSample 512 worst", CALL_SAMPLE, 512, QUERY_LAST},
    {"StatSample 1 miss", CALL_SAMPLE, 1, QUERY_MISS},
    {"StatSample 64 miss", CALL_SAMPLE, 64, QUERY_MISS},
    {"StatSample 512 miss", CALL_SAMPLE, 512, QUERY_MISS},
    {"StatGetAverage 1 worst", CALL_AVERAGE, 1, QUERY_LAST},
    {"StatGetAverage 64 worst", CALL_AVERAGE, 64, QUERY_LAST},
    {"StatGetAverage 512 worst", CALL_AVERAGE, 512, QUERY_LAST},
    {"StatGetAverage 1 miss", CALL_AVERAGE, 1, QUERY_MISS},
    {"StatGetAverage 64 miss", CALL_AVERAGE, 64, QUERY_MISS},
    {"StatGetAverage 512 miss", CALL_AVERAGE, 512, QUERY_MISS},
    {"load 512 lines", CALL_LOAD, 512, QUERY_NONE},
};
#define CASES (int)(sizeof cases / sizeof cases[0])

static const char *const impl_name[IMPLS] = {"ours", "base"};

/* The three tables: the first 1, 64 or 512 names, each list in a
 * directory of its own that the profile value then points at. */
static const int table_sizes[] = {1, 64, 512};
#define TABLES 3
static char names[STAT_MAX_TAGS][STAT_NAME_FIELD];
static char top_dir[256];
static char table_dir[TABLES][300];
static char last_query[TABLES][STAT_NAME_FIELD];
static char miss_query[STAT_NAME_FIELD];

static int table_index(int tags)
{
    for (int i = 0; i < TABLES; i++)
        if (table_sizes[i] == tags)
            return i;
    return 0;
}

/* The same name with the case of every letter turned over. */
static void other_capitals(const char *name, char *out)
{
    for (; *name; name++, out++) {
        char c = *name;
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 32);
        else if (c >= 'A' && c <= 'Z')
            c = (char)(c + 32);
        *out = c;
    }
    *out = 0;
}

static int write_list(const char *dir, int count)
{
    char path[400];
    snprintf(path, sizeof path, "%s/STATTAGS.CSV", dir);
    FILE *f = fopen(path, "wb");
    if (!f)
        return -1;
    for (int i = 0; i < count; i++)
        fprintf(f, "%s\r\n", names[i]);
    return fclose(f) == 0 ? 0 : -1;
}

static int make_fixture(void)
{
    const char *tmp = getenv("TMPDIR");
    snprintf(top_dir, sizeof top_dir, "%s/velmok-bench-XXXXXX", tmp && *tmp ? tmp : "/tmp");
    if (!mkdtemp(top_dir))
        return -1;
    for (int i = 0; i < STAT_MAX_TAGS; i++)
        snprintf(names[i], sizeof names[i], NAME_PREFIX "%03d", i);
    other_capitals(MISS_NAME, miss_query);
    for (int t = 0; t < TABLES; t++) {
        snprintf(table_dir[t], sizeof table_dir[t], "%s/n%d", top_dir, table_sizes[t]);
        if (mkdir(table_dir[t], 0755) != 0 || write_list(table_dir[t], table_sizes[t]) != 0)
            return -1;
        other_capitals(names[table_sizes[t] - 1], last_query[t]);
    }
    return 0;
}

static void remove_fixture(void)
{
    char path[400];
    for (int t = 0; t < TABLES; t++) {
        snprintf(path, sizeof path, "%s/STATTAGS.CSV", table_dir[t]);
        unlink(path);
        rmdir(table_dir[t]);
    }
    rmdir(top_dir);
}

/* Load both implementations' tables from the list of that many tags. */
static void use_table(int tags)
{
    plat_posix_set_app_directory(table_dir[table_index(tags)]);
    StatConnection = 0;
    StatEnsureLoaded();
    BaseConnection = 0;
    BaseEnsureLoaded();
}

static const char *query_of(const Case *c)
{
    if (c->query == QUERY_LAST)
        return last_query[table_index(c->tags)];
    return c->query == QUERY_MISS ? miss_query : "";
}

/* The measured calls, one per implementation and call. */
typedef void (*Op)(const char *query);

static void ours_sample(const char *q) { benchmark::DoNotOptimize(StatSample(q)); }
static void base_sample(const char *q) { benchmark::DoNotOptimize(BaseSample(q)); }
static void ours_average(const char *q) { benchmark::DoNotOptimize(StatGetAverage(q, 0)); }
static void base_average(const char *q) { benchmark::DoNotOptimize(BaseGetAverage(q, 0)); }

static void ours_load(const char *q)
{
    StatConnection = 0;
    StatEnsureLoaded();
    benchmark::DoNotOptimize(StatLoadedCount);
}

static void base_load(const char *q)
{
    BaseConnection = 0;
    BaseEnsureLoaded();
    benchmark::DoNotOptimize(BaseLoadedCount);
}

static const Op ops[3][IMPLS] = {
    {ours_sample, base_sample},
    {ours_average, base_average},
    {ours_load, base_load},
};

static void run_case(benchmark::State &state, const Case *c, int impl)
{
    use_table(c->tags);
    const char *q = query_of(c);
    Op op = ops[c->call][impl];
    for (auto _ : state)
        op(q);
}

/* Both implementations must load the same names and find the same
 * slots, or the comparison means nothing. */
static int check_agreement(void)
{
    int bad = 0;
    for (int t = 0; t < TABLES; t++) {
        int n = table_sizes[t];
        use_table(n);
        if (StatLoadedCount != n || BaseLoadedCount != n) {
            printf("table of %d: ours loaded %d, baseline %d\n", n, (int)StatLoadedCount,
                   (int)BaseLoadedCount);
            bad = 1;
            continue;
        }
        for (int i = 0; i < n; i++)
            if (strcmp(StatName[i], names[i]) != 0 || strcmp(BaseName[i], names[i]) != 0) {
                printf("table of %d: slot %d holds \"%s\" and \"%s\"\n", n, i, StatName[i], BaseName[i]);
                bad = 1;
            }
        int ours_last = StatFindTag(last_query[t]), base_last = BaseFindTag(last_query[t]);
        int ours_miss = StatFindTag(miss_query), base_miss = BaseFindTag(miss_query);
        if (ours_last != n - 1 || base_last != n - 1 || ours_miss != -1 || base_miss != -1) {
            printf("table of %d: \"%s\" found at %d and %d, \"%s\" at %d and %d\n", n, last_query[t],
                   ours_last, base_last, miss_query, ours_miss, base_miss);
            bad = 1;
        }
    }
    return bad;
}

/* Heap allocations over a run of the measured calls, outside the timer. */
static unsigned long allocations[CASES][IMPLS];

/* The counter must see malloc and operator new, or its zeros mean
 * nothing. */
static int counter_works(void)
{
    unsigned long before = AllocCount();
    void *volatile block = malloc(16);
    free(block);
    int *volatile number = new int(1);
    delete number;
    return AllocCount() - before >= 2;
}

static int count_allocations(void)
{
    int any = 0;
    for (int i = 0; i < CASES; i++) {
        const Case *c = &cases[i];
        int calls = c->call == CALL_LOAD ? 100 : 100000;
        for (int impl = 0; impl < IMPLS; impl++) {
            use_table(c->tags);
            const char *q = query_of(c);
            Op op = ops[c->call][impl];
            unsigned long before = AllocCount();
            for (int k = 0; k < calls; k++)
                op(q);
            allocations[i][impl] = AllocCount() - before;
            if (allocations[i][impl] != 0)
                any = 1;
        }
    }
    return any;
}

/* CPU time per call of every repetition, in nanoseconds. */
static std::vector<double> times[CASES][IMPLS];

static int find_run(const std::string &name, int *impl)
{
    for (int i = 0; i < CASES; i++)
        for (int m = 0; m < IMPLS; m++) {
            char full[80];
            snprintf(full, sizeof full, "%s/%s", impl_name[m], cases[i].label);
            if (name == full) {
                *impl = m;
                return i;
            }
        }
    return -1;
}

/* Keeps every repetition for the table and shows only the medians. */
class TableReporter : public benchmark::ConsoleReporter {
public:
    /* Colours only on a terminal, so a saved run reads as plain text. */
    TableReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_None) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        std::vector<Run> shown;
        for (const Run &r : runs) {
            if (r.run_type == Run::RT_Iteration && !r.error_occurred) {
                int impl, i = find_run(r.run_name.function_name, &impl);
                if (i >= 0)
                    times[i][impl].push_back(r.GetAdjustedCPUTime() * 1e9 /
                                             benchmark::GetTimeUnitMultiplier(r.time_unit));
                if (r.repetitions <= 1)
                    shown.push_back(r);
            } else if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                shown.push_back(r);
            }
        }
        if (!shown.empty())
            ConsoleReporter::ReportRuns(shown);
    }
};

static double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

static void format_time(double ns, char *out, size_t size)
{
    if (ns < 1e3)
        snprintf(out, size, "%.1f ns", ns);
    else if (ns < 1e6)
        snprintf(out, size, "%.2f us", ns / 1e3);
    else
        snprintf(out, size, "%.2f ms", ns / 1e6);
}

static double ratios[CASES]; /* 0 when the case did not run */

static void print_table(void)
{
    printf("\n%-26s %12s %12s %14s\n", "case", "ours", "baseline", "baseline/ours");
    for (int i = 0; i < CASES; i++) {
        double ours = median(times[i][OURS]), base = median(times[i][BASE]);
        char a[32], b[32];
        if (ours <= 0.0 || base <= 0.0) {
            printf("%-26s %12s %12s %14s\n", cases[i].label, "-", "-", "not run");
            continue;
        }
        format_time(ours, a, sizeof a);
        format_time(base, b, sizeof b);
        ratios[i] = base / ours;
        printf("%-26s %12s %12s %13.1fx\n", cases[i].label, a, b, ratios[i]);
    }
}

static int case_index(const char *label)
{
    for (int i = 0; i < CASES; i++)
        if (strcmp(cases[i].label, label) == 0)
            return i;
    return -1;
}

/* A target over several cases holds by the lowest of their ratios. */
typedef struct Target {
    const char *name;
    double want;
    const char *over[2];
} Target;

static const Target targets[] = {
    {"lookup-512-worst", 20.0, {"StatSample 512 worst", "StatGetAverage 512 worst"}},
    {"lookup-512-miss", 20.0, {"StatSample 512 miss", "StatGetAverage 512 miss"}},
    {"load-512", 10.0, {"load 512 lines", NULL}},
};

static int print_targets(void)
{
    int missed = 0;
    for (const Target &t : targets) {
        double low = 0.0;
        int ran = 1;
        for (const char *label : t.over) {
            if (!label)
                continue;
            double r = ratios[case_index(label)];
            if (r <= 0.0)
                ran = 0;
            else if (low == 0.0 || r < low)
                low = r;
        }
        if (!ran) {
            printf("target %s: not run (want >= %gx)\n", t.name, t.want);
            continue;
        }
        printf("target %s: %.1fx (want >= %gx)%s\n", t.name, low, t.want, low >= t.want ? "" : "  MISSED");
        if (low < t.want)
            missed = 1;
    }
    return missed;
}

static void print_allocations(void)
{
    printf("\nheap allocations over 100000 calls (a load: 100 loads), ours / baseline:\n");
    for (int i = 0; i < CASES; i++)
        printf("  %-26s %lu / %lu\n", cases[i].label, allocations[i][OURS], allocations[i][BASE]);
}

static size_t table_bytes(void)
{
    return sizeof StatName + sizeof StatFolded + sizeof StatNameKey + sizeof StatPoint +
           sizeof StatCount + sizeof StatSum + sizeof StatSumSq + sizeof StatMin + sizeof StatMax +
           sizeof StatMean + sizeof StatM2 + sizeof StatLoadedCount + sizeof StatConnection;
}

int main(int argc, char **argv)
{
    /* Repetitions interleaved at random, so a busy spell on the machine
     * falls on both implementations alike; flags given later win. */
    std::vector<char *> args;
    args.push_back(argv[0]);
    args.push_back((char *)"--benchmark_enable_random_interleaving=true");
    args.push_back((char *)"--benchmark_repetitions=5");
    args.push_back((char *)"--benchmark_min_time=0.1");
    for (int i = 1; i < argc; i++)
        args.push_back(argv[i]);
    int count = (int)args.size();
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;

    if (make_fixture() != 0) {
        printf("cannot make the tag list files in %s\n", top_dir);
        return 2;
    }
    if (check_agreement() != 0) {
        remove_fixture();
        return 2;
    }
    if (!counter_works()) {
        printf("the allocation counter sees no allocation\n");
        remove_fixture();
        return 2;
    }
    int allocating = count_allocations();

    for (int i = 0; i < CASES; i++)
        for (int impl = 0; impl < IMPLS; impl++) {
            char name[80];
            snprintf(name, sizeof name, "%s/%s", impl_name[impl], cases[i].label);
            benchmark::RegisterBenchmark(name, run_case, &cases[i], impl)
                ->Unit(cases[i].call == CALL_LOAD ? benchmark::kMicrosecond : benchmark::kNanosecond);
        }
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    remove_fixture();

    print_table();
    print_allocations();
    printf("static size of the statistics table: %zu bytes\n\n", table_bytes());
    int missed = print_targets();
    if (allocating)
        printf("a measured path allocates from the heap\n");
    return missed || allocating ? 1 : 0;
}
