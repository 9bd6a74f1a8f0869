/* The ten script functions end to end through the export table: the
 * profile value, the tag list file in the test's directory, activation
 * and reads through the point-access stand-in, and the statistics. */
#include "module_fixture.h"

/* Every double a tag's statistics give, read through the exports. */
struct Stats {
    LONG count;
    double average, min, max, stddev, sumsq;
};

static Stats Read(const Velmok &m, const char *tag, LONG trigger = 0)
{
    Stats s;
    s.count = m.StatGetSampleCount(tag, trigger);
    s.average = m.StatGetAverage(tag, trigger);
    s.min = m.StatGetMin(tag, trigger);
    s.max = m.StatGetMax(tag, trigger);
    s.stddev = m.StatGetStdDev(tag, trigger);
    s.sumsq = m.StatGetSumXSquared(tag, trigger);
    return s;
}

/* Take each value in turn as a sample of tag; gives the last count. */
static LONG Sample(const Vlx &vlx, const Velmok &m, const char *tag,
                   std::initializer_list<double> values)
{
    LONG count = 0;
    for (double v : values) {
        vlx.SetValue(tag, v);
        count = m.StatSample(tag);
    }
    return count;
}

class ScriptTest : public ModuleTest {};

TEST_F(ScriptTest, FreshTagGivesZeroesAndSamplesReadTheStandIn)
{
    Define("Tank1", 1.0);
    Define("Tank2", 7.0);
    Tags("Tank1\r\nTank2\r\n");
    Stats s = Read(m, "Tank1");
    EXPECT_EQ(s.count, 0);
    EXPECT_SAME(s.average, 0.0);
    EXPECT_SAME(s.min, 0.0);
    EXPECT_SAME(s.max, 0.0);
    EXPECT_SAME(s.stddev, 0.0);
    EXPECT_SAME(s.sumsq, 0.0);
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 1);
    EXPECT_EQ(vlx.Calls(VLXSIM_ACTIVATE), 2);
    EXPECT_EQ(vlx.Calls(VLXSIM_READ), 0);

    EXPECT_EQ(Sample(vlx, m, "Tank1", {1.0, 3.0}), 2);
    EXPECT_EQ(vlx.Calls(VLXSIM_READ), 2);
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 1) << "loaded once";
    s = Read(m, "Tank1");
    EXPECT_EQ(s.count, 2);
    EXPECT_SAME(s.average, 2.0);
    EXPECT_SAME(s.min, 1.0);
    EXPECT_SAME(s.max, 3.0);
    EXPECT_SAME(s.sumsq, 10.0);
    EXPECT_DOUBLE_EQ(s.stddev, sqrt(2.0));
    EXPECT_EQ(Read(m, "Tank2").count, 0) << "the other tag is untouched";
}

TEST_F(ScriptTest, TriggerIsNeverRead)
{
    Define("Tank1", 0.0);
    Tags("Tank1\r\n");
    Sample(vlx, m, "Tank1", {2.0, 5.0, 11.0});
    Stats want = Read(m, "Tank1", 0);
    for (LONG trigger : {1L, -1L, 0x7FFFFFFFL, (LONG)0x80000000UL}) {
        Stats got = Read(m, "Tank1", trigger);
        EXPECT_EQ(got.count, want.count) << trigger;
        EXPECT_SAME(got.average, want.average);
        EXPECT_SAME(got.min, want.min);
        EXPECT_SAME(got.max, want.max);
        EXPECT_SAME(got.stddev, want.stddev);
        EXPECT_SAME(got.sumsq, want.sumsq);
    }
}

/* Names not in the table: never listed, listed but not activated, a
 * prefix, a trailing blank, a letter outside A-Z in another case, and
 * too long for a tag name. None reads a value or changes a slot. */
TEST_F(ScriptTest, NameNotInTheTableGivesTheNotFoundValues)
{
    Define("Tank1", 3.0);
    Define("\xC4rger", 1.0);
    Tags("Tank1\r\nGone\r\n\xC4rger\r\n");
    EXPECT_EQ(m.StatSample("Tank1"), 1);
    LONG reads = vlx.Calls(VLXSIM_READ);
    std::string too_long(40, 'T');
    const char *const names[] = {"Nope", "Gone", "Tank", "Tank1 ", "", "\xE4rger", too_long.c_str()};
    for (const char *name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(m.StatSample(name), -1);
        EXPECT_EQ(m.StatReset(name), -1);
        Stats s = Read(m, name);
        EXPECT_EQ(s.count, 0);
        EXPECT_SAME(s.average, 0.0);
        EXPECT_SAME(s.min, 0.0);
        EXPECT_SAME(s.max, 0.0);
        EXPECT_SAME(s.stddev, 0.0);
        EXPECT_SAME(s.sumsq, 0.0);
    }
    EXPECT_EQ(vlx.Calls(VLXSIM_READ), reads);
    EXPECT_EQ(Read(m, "Tank1").count, 1);
    EXPECT_EQ(m.StatSample("\xC4RGER"), 1) << "A-Z fold, the byte 0xC4 stays";
}

TEST_F(ScriptTest, NamesMatchIgnoringTheCaseOfAToZ)
{
    Define("Tank1", 2.0);
    Tags("Tank1\r\n");
    EXPECT_EQ(m.StatSample("TANK1"), 1);
    EXPECT_EQ(m.StatSample("tank1"), 2);
    EXPECT_EQ(m.StatGetSampleCount("tAnK1", 0), 2);
    EXPECT_EQ(m.StatReset("TaNk1"), 0);
    EXPECT_EQ(m.StatGetSampleCount("Tank1", 0), 0);
}

/* Where the module does better than the plain one-pass sums: one sample
 * gives its square as the sum of squares, equal samples a deviation of
 * exactly 0 rather than the square root of a rounding error, large
 * offsets a true deviation, and a NaN does not stay the minimum or the
 * maximum once numbers come. */
TEST_F(ScriptTest, StatisticsHoldWhereOnePassSumsFail)
{
    Define("One", 0.0);
    Define("Equal", 0.0);
    Define("Offset", 0.0);
    Define("NanFirst", 0.0);
    Define("NanOnly", 0.0);
    Tags("One\r\nEqual\r\nOffset\r\nNanFirst\r\nNanOnly\r\n");

    Sample(vlx, m, "One", {5.0});
    Stats s = Read(m, "One");
    EXPECT_SAME(s.min, 5.0);
    EXPECT_SAME(s.max, 5.0);
    EXPECT_SAME(s.average, 5.0);
    EXPECT_SAME(s.stddev, 0.0);
    EXPECT_SAME(s.sumsq, 25.0);

    Sample(vlx, m, "Equal", {0.1, 0.1, 0.1});
    EXPECT_SAME(m.StatGetStdDev("Equal", 0), 0.0);

    Sample(vlx, m, "Offset", {1e9 + 1, 1e9 + 2, 1e9 + 3});
    EXPECT_NEAR(m.StatGetStdDev("Offset", 0), 1.0, 1e-6);

    Sample(vlx, m, "NanFirst", {NAN, 2.0, 1.0});
    s = Read(m, "NanFirst");
    EXPECT_EQ(s.count, 3);
    EXPECT_SAME(s.min, 1.0);
    EXPECT_SAME(s.max, 2.0);
    EXPECT_TRUE(isnan(s.average));

    Sample(vlx, m, "NanOnly", {NAN});
    EXPECT_TRUE(isnan(m.StatGetMin("NanOnly", 0)));
    EXPECT_TRUE(isnan(m.StatGetMax("NanOnly", 0)));
}

/* A name listed twice takes two slots: calls by name reach the first,
 * StatSampleAll reads both. Resets clear slots but keep them. */
TEST_F(ScriptTest, SampleAllAndResetsWorkSlotBySlot)
{
    Define("Dup", 1.0);
    Define("Other", 2.0);
    Tags("Dup\r\nOther\r\nDup\r\n");
    EXPECT_EQ(m.StatSampleAll(), 0);
    EXPECT_EQ(vlx.Calls(VLXSIM_READ), 3);
    EXPECT_EQ(m.StatGetSampleCount("Dup", 0), 1);
    EXPECT_EQ(m.StatSample("Dup"), 2);
    EXPECT_EQ(m.StatSampleAll(), 0);
    EXPECT_EQ(vlx.Calls(VLXSIM_READ), 7);
    EXPECT_EQ(m.StatGetSampleCount("Dup", 0), 3);
    EXPECT_EQ(m.StatGetSampleCount("Other", 0), 2);

    EXPECT_EQ(m.StatReset("Dup"), 0);
    EXPECT_EQ(m.StatGetSampleCount("Dup", 0), 0);
    EXPECT_SAME(m.StatGetMax("Dup", 0), 0.0);
    EXPECT_EQ(m.StatGetSampleCount("Other", 0), 2) << "a reset clears its own slot only";

    /* StatResetAll keeps the names it has: a new file is not read. */
    Tags("Third\r\n");
    Define("Third", 3.0);
    EXPECT_EQ(m.StatResetAll(), 0);
    EXPECT_EQ(m.StatGetSampleCount("Other", 0), 0);
    EXPECT_SAME(m.StatGetAverage("Other", 0), 0.0);
    EXPECT_EQ(m.StatSample("Other"), 1);
    EXPECT_EQ(m.StatSample("Third"), -1);
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 1);
    EXPECT_EQ(vlx.Calls(VLXSIM_ACTIVATE), 3);
}

/* Either all-slot function as the very first call loads the table. */
TEST_F(ScriptTest, FirstCallOfAnAllSlotFunctionLoadsTheTable)
{
    Define("A", 1.0);
    Define("B", 2.0);
    Tags("A\r\nB\r\n");
    EXPECT_EQ(m.StatSampleAll(), 0);
    EXPECT_EQ(m.StatGetSampleCount("A", 0), 1);
    EXPECT_EQ(m.StatGetSampleCount("B", 0), 1);
    EXPECT_SAME(m.StatGetAverage("B", 0), 2.0);

    ASSERT_TRUE(UnloadVelmok(&m));
    ASSERT_TRUE(LoadVelmok(&m));
    vlx.Reset();
    Define("A", 1.0);
    EXPECT_EQ(m.StatResetAll(), 0);
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 1);
    EXPECT_EQ(vlx.Calls(VLXSIM_ACTIVATE), 2);
    EXPECT_EQ(m.StatSample("A"), 1);
    EXPECT_EQ(m.StatSample("B"), -1) << "B is no longer known to the stand-in";
}

/* Without a tag list file the table is empty and stays loaded; without
 * the profile value the file is looked for in the current drive's root
 * and is not there either. */
TEST_F(ScriptTest, MissingFileOrProfileGivesAnEmptyTable)
{
    Define("Tank1", 1.0);
    EXPECT_EQ(m.StatSample("Tank1"), -1);
    EXPECT_EQ(m.StatSampleAll(), 0);
    EXPECT_EQ(m.StatResetAll(), 0);
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 1) << "an empty table is still loaded";
    EXPECT_EQ(vlx.Calls(VLXSIM_READ), 0);

    ASSERT_TRUE(UnloadVelmok(&m));
    Tags("Tank1\r\n");
    SetAppDirectory(NULL);
    ASSERT_TRUE(LoadVelmok(&m));
    EXPECT_EQ(m.StatSample("Tank1"), -1);
}

/* While VlxInit gives no connection, every call tries again and loads
 * the file again; the first good connection starts from zero. */
TEST_F(ScriptTest, RefusedConnectionIsTriedAgainAtEveryCall)
{
    Define("Tank1", 1.0);
    Tags("Tank1\r\n");
    vlx.FailInit(1);
    EXPECT_EQ(m.StatSample("Tank1"), 1);
    EXPECT_EQ(m.StatSample("Tank1"), 1);
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 2);
    vlx.FailInit(0);
    EXPECT_EQ(m.StatSample("Tank1"), 1);
    EXPECT_EQ(m.StatSample("Tank1"), 2);
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 3);
}
