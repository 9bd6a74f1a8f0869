/* The ten script functions: results, thresholds, not-found values, and
 * the load that every one of them runs first. */
#include <functional>

#include "core_fixture.h"
#include "exports/velmok.h"

namespace {

const double kNaN = NAN;

/* What the six readers give after a run of samples since a clear. */
struct StatsCase {
    const char *what;
    std::vector<double> samples;
    double average, min, max, stddev, sum_sq;
};

const double kBig1 = 1e9 + 1, kBig2 = 1e9 + 2, kBig3 = 1e9 + 3;

const StatsCase kStats[] = {
    {"no samples", {}, 0.0, 0.0, 0.0, 0.0, 0.0},
    {"one sample", {5.0}, 5.0, 5.0, 5.0, 0.0, 25.0},
    {"one negative sample", {-5.0}, -5.0, -5.0, -5.0, 0.0, 25.0},
    {"two samples", {1.0, 3.0}, 2.0, 1.0, 3.0, sqrt(2.0), 10.0},
    {"out of order", {3.0, 1.0, 2.0}, 2.0, 1.0, 3.0, 1.0, 14.0},
    {"equal samples", {0.1, 0.1, 0.1}, (0.1 + 0.1 + 0.1) / 3, 0.1, 0.1, 0.0,
     0.1 * 0.1 + (0.1 * 0.1 + 0.1 * 0.1)},
    {"large offset", {kBig1, kBig2, kBig3}, kBig2, kBig1, kBig3, 1.0,
     kBig3 * kBig3 + (kBig2 * kBig2 + kBig1 * kBig1)},
    {"NaN first", {kNaN, 2.0, 1.0}, kNaN, 1.0, 2.0, kNaN, kNaN},
    {"NaN between", {2.0, kNaN, 3.0}, kNaN, 2.0, 3.0, kNaN, kNaN},
    {"only NaN", {kNaN}, kNaN, kNaN, kNaN, 0.0, kNaN},
    {"only NaNs", {kNaN, kNaN}, kNaN, kNaN, kNaN, kNaN, kNaN},
};

class ScriptFunctions : public CoreTest {};

TEST_F(ScriptFunctions, ResultsAfterSamples)
{
    DefineAndList({"Tank1", "Other"});
    for (const StatsCase &t : kStats) {
        SCOPED_TRACE(t.what);
        ASSERT_EQ(StatReset("Tank1"), 0);
        for (size_t i = 0; i < t.samples.size(); i++) {
            ASSERT_EQ(VlxSimSetValue("Tank1", t.samples[i]), 0);
            EXPECT_EQ(StatSample("tank1"), (int32_t)i + 1);
        }
        EXPECT_EQ(StatGetSampleCount("Tank1", 0), (int32_t)t.samples.size());
        EXPECT_SAME(StatGetAverage("Tank1", 0), t.average);
        EXPECT_SAME(StatGetMin("Tank1", 0), t.min);
        EXPECT_SAME(StatGetMax("Tank1", 0), t.max);
        EXPECT_SAME(StatGetStdDev("Tank1", 0), t.stddev);
        EXPECT_SAME(StatGetSumXSquared("Tank1", 0), t.sum_sq);
    }
    EXPECT_EQ(StatGetSampleCount("Other", 0), 0);
}

TEST_F(ScriptFunctions, TriggerIsNeverRead)
{
    DefineAndList({"A"});
    for (double x : {1.0, 4.0, 10.0}) {
        ASSERT_EQ(VlxSimSetValue("A", x), 0);
        StatSample("A");
    }
    for (vx_long trigger : {1, -1, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(StatGetSampleCount("A", trigger), StatGetSampleCount("A", 0));
        EXPECT_SAME(StatGetAverage("A", trigger), StatGetAverage("A", 0));
        EXPECT_SAME(StatGetMin("A", trigger), StatGetMin("A", 0));
        EXPECT_SAME(StatGetMax("A", trigger), StatGetMax("A", 0));
        EXPECT_SAME(StatGetStdDev("A", trigger), StatGetStdDev("A", 0));
        EXPECT_SAME(StatGetSumXSquared("A", trigger), StatGetSumXSquared("A", 0));
    }
}

TEST_F(ScriptFunctions, NotFoundValues)
{
    DefineAndList({"A"});
    WriteTagList("A\r\nGone\r\n");
    ASSERT_EQ(VlxSimSetValue("A", 3.0), 0);
    ASSERT_EQ(StatSample("A"), 1);
    std::string name33(33, 'A');
    for (const char *name : {"B", "Gone", "", " A", name33.c_str(), (const char *)nullptr}) {
        SCOPED_TRACE(name ? name : "(null)");
        EXPECT_EQ(StatSample(name), -1);
        EXPECT_EQ(StatReset(name), -1);
        EXPECT_EQ(StatGetSampleCount(name, 0), 0);
        EXPECT_SAME(StatGetAverage(name, 0), 0.0);
        EXPECT_SAME(StatGetMin(name, 0), 0.0);
        EXPECT_SAME(StatGetMax(name, 0), 0.0);
        EXPECT_SAME(StatGetStdDev(name, 0), 0.0);
        EXPECT_SAME(StatGetSumXSquared(name, 0), 0.0);
    }
    /* Nothing read from the host, nothing changed. */
    EXPECT_EQ(VlxSimCalls(VLXSIM_READ), 1);
    EXPECT_EQ(StatGetSampleCount("A", 0), 1);
}

TEST_F(ScriptFunctions, EmptyTableGivesNotFoundAndAllFunctionsDoNothing)
{
    EXPECT_EQ(StatSampleAll(), 0);
    EXPECT_EQ(StatResetAll(), 0);
    EXPECT_EQ(StatSample("A"), -1);
    EXPECT_EQ(StatReset("A"), -1);
    EXPECT_SAME(StatGetMax("A", 0), 0.0);
    EXPECT_EQ(VlxSimCalls(VLXSIM_READ), 0);
    EXPECT_EQ(VlxSimCalls(VLXSIM_INIT), 1);
}

TEST_F(ScriptFunctions, EveryFunctionLoadsFirst)
{
    const std::pair<const char *, std::function<void()>> calls[] = {
        {"StatSample", [] { StatSample("X"); }},
        {"StatSampleAll", [] { StatSampleAll(); }},
        {"StatReset", [] { StatReset("X"); }},
        {"StatResetAll", [] { StatResetAll(); }},
        {"StatGetAverage", [] { StatGetAverage("X", 0); }},
        {"StatGetMin", [] { StatGetMin("X", 0); }},
        {"StatGetMax", [] { StatGetMax("X", 0); }},
        {"StatGetStdDev", [] { StatGetStdDev("X", 0); }},
        {"StatGetSampleCount", [] { StatGetSampleCount("X", 0); }},
        {"StatGetSumXSquared", [] { StatGetSumXSquared("X", 0); }},
    };
    for (const auto &call : calls) {
        SCOPED_TRACE(call.first);
        ResetTable();
        VlxSimReset();
        DefineAndList({"A", "B"});
        call.second();
        EXPECT_EQ(VlxSimCalls(VLXSIM_INIT), 1);
        EXPECT_NE(StatConnection, 0u);
        EXPECT_EQ(StatLoadedCount, 2);
    }
}

TEST_F(ScriptFunctions, SampleAllAsFirstCallSamplesEverySlotOnceInOrder)
{
    DefineAndList({"A", "B", "C"});
    ASSERT_EQ(StatSampleAll(), 0);
    for (const char *name : {"A", "B", "C"})
        EXPECT_EQ(StatGetSampleCount(name, 0), 1) << name;
    uint32_t c = StatConnection;
    char want[256];
    snprintf(want, sizeof want, "VlxReadA(%u,1)\nVlxReadA(%u,2)\nVlxReadA(%u,3)\n", c, c, c);
    std::string log = SimLog();
    EXPECT_EQ(log.substr(log.find("VlxReadA")), want);
}

TEST_F(ScriptFunctions, DuplicateNamesReachTheFirstSlotAndSampleAllTakesBoth)
{
    ASSERT_EQ(VlxSimSetValue("A", 2.0), 0);
    ASSERT_EQ(VlxSimSetValue("B", 3.0), 0);
    WriteTagList("A\r\nB\r\na\r\n");
    EXPECT_EQ(StatSample("a"), 1);
    EXPECT_EQ(StatSample("A"), 2);
    EXPECT_EQ(StatSampleAll(), 0);
    EXPECT_EQ(StatCount[0], 3);
    EXPECT_EQ(StatCount[1], 1);
    EXPECT_EQ(StatCount[2], 1);
    EXPECT_EQ(StatGetSampleCount("a", 0), 3);
    EXPECT_EQ(StatReset("a"), 0);
    EXPECT_EQ(StatCount[0], 0);
    EXPECT_EQ(StatCount[2], 1);
}

TEST_F(ScriptFunctions, ResetClearsOneSlotAndResetAllEvery)
{
    DefineAndList({"A", "B", "C"});
    StatSampleAll();
    StatSampleAll();
    EXPECT_EQ(StatReset("B"), 0);
    EXPECT_EQ(StatGetSampleCount("A", 0), 2);
    EXPECT_EQ(StatGetSampleCount("B", 0), 0);
    EXPECT_EQ(StatGetSampleCount("C", 0), 2);
    EXPECT_EQ(StatResetAll(), 0);
    for (const char *name : {"A", "B", "C"})
        EXPECT_EQ(StatGetSampleCount(name, 0), 0) << name;
    EXPECT_EQ(StatSample("C"), 1); /* names and handles stay */
    EXPECT_EQ(VlxSimCalls(VLXSIM_INIT), 1);
}

TEST_F(ScriptFunctions, SampleCountStopsAt2147483647)
{
    DefineAndList({"A", "B"});
    ASSERT_EQ(VlxSimSetValue("A", 1.0), 0);
    EXPECT_EQ(StatSample("A"), 1);
    StatCount[0] = STAT_COUNT_MAX - 1;
    EXPECT_EQ(StatSample("A"), INT32_MAX);
    EXPECT_EQ(StatSample("A"), INT32_MAX);
    EXPECT_EQ(StatSampleAll(), 0);
    EXPECT_EQ(StatGetSampleCount("A", 0), INT32_MAX);
    EXPECT_EQ(StatGetSampleCount("B", 0), 1);
    EXPECT_SAME(StatGetSumXSquared("A", 0), 2.0);
    EXPECT_SAME(StatGetAverage("A", 0), 2.0 / INT32_MAX);
}

} // namespace
