/* The example plant's statistics, checked against values computed here
 * from the same signals: the demo script runs through the host's engine
 * and the module, and each signal tag's average and standard deviation
 * are compared with a two-pass computation in long double. */
#include <math.h>
#include <stdio.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "module.h"
#include "report.h"
#include "run.h"
#include "script.h"
#include "tagdb.h"

struct Reference {
    long double mean, stddev;
    double minimum, maximum;
};

/* Samples at one a second, the first at first_ms. */
static Reference two_pass(const HostTag *tag, int64_t first_ms, int n)
{
    Reference r = {0, 0, INFINITY, -INFINITY};
    for (int i = 0; i < n; i++) {
        double x = tag_value(tag, first_ms + 1000LL * i);
        r.mean += x;
        r.minimum = fmin(r.minimum, x);
        r.maximum = fmax(r.maximum, x);
    }
    r.mean /= n;
    long double squares = 0;
    for (int i = 0; i < n; i++) {
        long double d = tag_value(tag, first_ms + 1000LL * i) - r.mean;
        squares += d * d;
    }
    r.stddev = sqrtl(squares / (n - 1));
    return r;
}

class DemoPlant : public ::testing::Test {
  protected:
    Module module = Module();
    TagDb db;
    Script script;
    std::string error;

    void SetUp() override
    {
        std::string dll = module_default_path();
        ASSERT_TRUE(SetCurrentDirectoryA(DEMO_DIR));
        char here[MAX_PATH];
        GetCurrentDirectoryA(sizeof here, here);
        WriteProfileStringA("Kelvane", "ApplicationDirectory", here);
        ASSERT_EQ(0, tagdb_load(&db, "plant.tags", &error)) << error;
        ASSERT_EQ(0, script_parse(&script, "plant.script", &error)) << error;
        ASSERT_EQ(0, module_load(&module, dll.c_str(), &error)) << error;
    }
};

TEST_F(DemoPlant, AveragesAndDeviationsMatchTwoPassReference)
{
    FILE *out = fopen("NUL", "w");
    ASSERT_NE(out, nullptr);
    HostRun run = HostRun();
    run.module = &module;
    run.db = &db;
    run.tag_list_path = "STATTAGS.CSV";
    run.out = out;
    ASSERT_EQ(0, run_script(&run, &script, &error)) << error;
    fclose(out);
    ASSERT_EQ(run.clock_ms, 3600 * 1000LL);

    std::vector<SummaryRow> rows;
    ASSERT_EQ(0, summary_rows(&module, &db, read_tag_list("STATTAGS.CSV"), &rows, &error)) << error;
    int signal_rows = 0;
    for (const SummaryRow &row : rows) {
        SCOPED_TRACE(row.name);
        int t = tagdb_find(&db, row.name.c_str());
        if (t < 0) {
            EXPECT_EQ(row.count, 0); /* the module could not activate it */
            continue;
        }
        const HostTag *tag = &db.tags[(size_t)t];
        if (tag->kind == SIGNAL_ASSIGNED)
            continue; /* set by the script; the stored output shows it */
        signal_rows++;
        /* The demo samples every listed tag once a second up to the end,
         * so a tag's n samples are those of the last n seconds. */
        ASSERT_GE(row.count, 2);
        Reference r = two_pass(tag, run.clock_ms - 1000LL * row.count, row.count);
        double scale = fmax(1.0, fabs((double)r.mean));
        EXPECT_NEAR(row.average, (double)r.mean, 1e-12 * scale);
        EXPECT_NEAR(row.stddev, (double)r.stddev, 1e-12 * scale);
        EXPECT_EQ(row.minimum, r.minimum);
        EXPECT_EQ(row.maximum, r.maximum);
        if (tag->kind == SIGNAL_CONSTANT && tag->noise == 0) {
            EXPECT_EQ(row.stddev, 0.0); /* equal samples: exactly 0, never NaN */
        }
    }
    EXPECT_GE(signal_rows, 5); /* the sine, ramp, random, constant and step tags */
}
