/* The statistics table: the lookup rule and the accumulators. */
#include "core_fixture.h"

namespace {

const std::string k32 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"; /* 32 characters */

/* Names loaded into slots 0 up; slot 1 folds equal to slot 0. */
const char *const kSlots[] = {
    "Tank1", "TANK1", "Pump", "\xC4rger", "", "a,b;c\tD", "@[", nullptr /* k32 */,
};
const int kSlotCount = 8;

void LoadSlots()
{
    for (int i = 0; i < kSlotCount; i++)
        StatSetSlot(i, kSlots[i] ? kSlots[i] : k32.c_str(), (uint32_t)i + 100);
    StatLoadedCount = kSlotCount;
}

struct LookupCase {
    std::string name;
    int32_t slot;
};

class Lookup : public CoreTest {};

TEST_F(Lookup, FoldsOnlyAsciiLettersAndTrimsNothing)
{
    LoadSlots();
    const LookupCase cases[] = {
        {"Tank1", 0}, {"tank1", 0}, {"TANK1", 0}, {"tAnK1", 0}, /* first of equals wins */
        {"Tank1 ", -1}, {" Tank1", -1}, {"Tank", -1}, {"Tank12", -1},
        {"pUMP", 2},
        {"\xC4RGER", 3}, {"\xE4rger", -1},       /* bytes above 127 match exactly */
        {"", 4},                                 /* empty finds only an empty name */
        {"A,B;C\tD", 5}, {"a,b;c D", -1}, {"a,b;c\td\n", -1},
        {"@[", 6}, {"`{", -1}, {"@{", -1}, {"`[", -1}, /* no folding beside A-Z */
        {"abcdefghijklmnopqrstuvwxyz012345", 7},
        {k32 + "6", -1},                         /* 33: no slot can hold it */
        {k32 + std::string(1000, 'X'), -1},
    };
    for (const LookupCase &c : cases)
        EXPECT_EQ(StatFindTag(c.name.c_str()), c.slot) << "name \"" << c.name << "\"";
}

TEST_F(Lookup, SeesOnlyLoadedSlots)
{
    LoadSlots();
    StatLoadedCount = 3;
    EXPECT_EQ(StatFindTag("Pump"), 2);
    EXPECT_EQ(StatFindTag(""), -1);
    EXPECT_EQ(StatFindTag("@["), -1);
    StatLoadedCount = 0;
    for (const char *name : {"Tank1", "Pump", ""})
        EXPECT_EQ(StatFindTag(name), -1) << name;
}

TEST_F(Lookup, FindsEverySlotOfAFullTable)
{
    char name[16];
    for (int i = 0; i < STAT_MAX_TAGS; i++) {
        snprintf(name, sizeof name, "T%d", i);
        StatSetSlot(i, name, 1);
    }
    StatLoadedCount = STAT_MAX_TAGS;
    for (int i = 0; i < STAT_MAX_TAGS; i++) {
        snprintf(name, sizeof name, "t%d", i);
        ASSERT_EQ(StatFindTag(name), i);
    }
}

TEST_F(Lookup, SlotKeepsNameAndHandleAcrossAClear)
{
    LoadSlots();
    StatAccumulate(2, 4.0);
    StatClearSlot(2);
    EXPECT_EQ(StatFindTag("PUMP"), 2);
    EXPECT_STREQ(StatName[2], "Pump");
    EXPECT_EQ(StatPoint[2], 102u);
    EXPECT_EQ(StatCount[2], 0);
}

/* Fields as stored after a run of samples into a cleared slot. */
struct AccumulateCase {
    const char *what;
    std::vector<double> samples;
    double sum, sum_sq, min, max;
};

const double kNaN = NAN, kInf = INFINITY;

class Accumulate : public CoreTest {};

TEST_F(Accumulate, StoresSumsAndExtremes)
{
    const AccumulateCase cases[] = {
        {"one negative", {-5.0}, -5.0, 25.0, -5.0, -5.0},
        {"out of order", {3.0, 1.0, 2.0}, 6.0, 14.0, 1.0, 3.0},
        {"+0 then -0 keeps +0", {0.0, -0.0}, 0.0, 0.0, 0.0, 0.0},
        {"-0 then +0 keeps -0", {-0.0, 0.0}, 0.0, 0.0, -0.0, -0.0},
        {"NaN first", {kNaN, 2.0, 1.0}, kNaN, kNaN, 1.0, 2.0},
        {"NaN between", {2.0, kNaN, 3.0}, kNaN, kNaN, 2.0, 3.0},
        {"NaN last", {2.0, 3.0, kNaN}, kNaN, kNaN, 2.0, 3.0},
        {"only NaN", {kNaN, kNaN}, kNaN, kNaN, kNaN, kNaN},
        {"infinities", {kInf, 1.0, -kInf}, kNaN, kInf, -kInf, kInf},
        {"infinity and NaN", {-kInf, kNaN}, kNaN, kNaN, -kInf, -kInf},
    };
    StatSetSlot(0, "T", 1);
    StatLoadedCount = 1;
    for (const AccumulateCase &c : cases) {
        SCOPED_TRACE(c.what);
        StatClearSlot(0);
        for (double x : c.samples)
            StatAccumulate(0, x);
        EXPECT_EQ(StatCount[0], (int32_t)c.samples.size());
        EXPECT_SAME(StatSum[0], c.sum);
        EXPECT_SAME(StatSumSq[0], c.sum_sq);
        EXPECT_SAME(StatMin[0], c.min);
        EXPECT_SAME(StatMax[0], c.max);
    }
}

TEST_F(Accumulate, ClearLeavesPositiveZeros)
{
    StatSetSlot(0, "T", 1);
    StatLoadedCount = 1;
    for (double x : {-0.0, -3.0, kNaN})
        StatAccumulate(0, x);
    StatClearSlot(0);
    EXPECT_EQ(StatCount[0], 0);
    for (double v : {StatSum[0], StatSumSq[0], StatMin[0], StatMax[0], StatStdDev(0)})
        EXPECT_SAME(v, 0.0);
    /* A clear leaves nothing behind for the next samples. */
    StatAccumulate(0, 4.0);
    StatAccumulate(0, 6.0);
    EXPECT_SAME(StatMin[0], 4.0);
    EXPECT_SAME(StatStdDev(0), sqrt(2.0));
}

TEST_F(Accumulate, CountStopsAtItsLargestValue)
{
    StatSetSlot(0, "T", 1);
    StatLoadedCount = 1;
    StatAccumulate(0, 1.0);
    StatCount[0] = STAT_COUNT_MAX - 1;
    StatAccumulate(0, 2.0);
    EXPECT_EQ(StatCount[0], STAT_COUNT_MAX);
    EXPECT_SAME(StatSum[0], 3.0);
    StatAccumulate(0, 100.0);
    EXPECT_EQ(StatCount[0], STAT_COUNT_MAX);
    EXPECT_SAME(StatSum[0], 3.0);
    EXPECT_SAME(StatMax[0], 2.0);
}

} // namespace
