/* The lazy loader with the point-access stand-in: the tag list path,
 * activation in file order, refused names, the 512 limit, a failing
 * VlxInit, a missing file, and the reload after the editor's save. */
#include "core_fixture.h"
#include "exports/velmok.h"

namespace {

using Lines = std::vector<std::string>;

class Loader : public CoreTest {
protected:
    Lines Loaded()
    {
        Lines out;
        for (int32_t i = 0; i < StatLoadedCount; i++)
            out.push_back(StatName[i]);
        return out;
    }
};

TEST_F(Loader, PathIsDirectoryBackslashFileName)
{
    plat_posix_set_app_directory("C:\\Kelvane\\");
    EXPECT_STREQ(StatTagListPath(), "C:\\Kelvane\\\\STATTAGS.CSV"); /* no normalising */
    plat_posix_set_app_directory(nullptr);
    EXPECT_STREQ(StatTagListPath(), "\\STATTAGS.CSV");
    plat_posix_set_app_directory("");
    EXPECT_STREQ(StatTagListPath(), "\\STATTAGS.CSV");
}

TEST_F(Loader, LongDirectoryIsCutAt255)
{
    std::string longdir(400, 'd');
    plat_posix_set_app_directory(longdir.c_str());
    std::string want = std::string(255, 'd') + "\\STATTAGS.CSV";
    EXPECT_EQ(std::string(StatTagListPath()), want);
    EXPECT_EQ(want.size(), 268u);
    EXPECT_GE(sizeof StatPathBuffer, 269u);
}

TEST_F(Loader, ActivatesEachLineInFileOrderWithTheNewConnection)
{
    ASSERT_EQ(VlxSimSetValue("Tank1", 1.0), 0);
    ASSERT_EQ(VlxSimSetValue("Pump", 2.0), 0);
    WriteTagList("Tank1\r\nGone\r\nPump\r\n\r\nTANK1\r\n");
    StatEnsureLoaded();
    uint32_t c = StatConnection;
    ASSERT_NE(c, 0u);
    char want[512];
    snprintf(want, sizeof want,
             "VlxInit(0,0)=%u\n"
             "VlxActivate(%u,\"Tank1\")=1\n"
             "VlxActivate(%u,\"Gone\")=0\n"
             "VlxActivate(%u,\"Pump\")=2\n"
             "VlxActivate(%u,\"\")=0\n"
             "VlxActivate(%u,\"TANK1\")=1\n",
             c, c, c, c, c, c);
    EXPECT_EQ(SimLog(), want);
    /* Refused names take no slot; a name listed twice takes two. */
    EXPECT_EQ(Loaded(), (Lines{"Tank1", "Pump", "TANK1"}));
    EXPECT_EQ(StatPoint[0], 1u);
    EXPECT_EQ(StatPoint[1], 2u);
    EXPECT_EQ(StatPoint[2], 1u);
    /* Loaded once: later calls leave the file alone. */
    StatEnsureLoaded();
    EXPECT_EQ(VlxSimCalls(VLXSIM_INIT), 1);
    EXPECT_EQ(VlxSimCalls(VLXSIM_ACTIVATE), 5);
}

TEST_F(Loader, MiddleNameRefusedLeavesFirstAndThird)
{
    DefineAndList({"A", "B", "C"});
    VlxSimRemove("b");
    StatEnsureLoaded();
    EXPECT_EQ(Loaded(), (Lines{"A", "C"}));
    EXPECT_EQ(StatPoint[1], 3u); /* the others keep their handles */
    EXPECT_EQ(StatFindTag("B"), -1);
}

TEST_F(Loader, EmptyLineTakesASlotWhenActivated)
{
    ASSERT_EQ(VlxSimSetValue("", 7.0), 0);
    WriteTagList("\r\nA\r\n");
    StatEnsureLoaded();
    EXPECT_EQ(Loaded(), (Lines{""}));
    EXPECT_EQ(StatFindTag(""), 0);
}

TEST_F(Loader, TakesAtMost512Names)
{
    std::string bytes;
    char name[16];
    for (int i = 0; i < 600; i++) {
        snprintf(name, sizeof name, "T%03d", i);
        ASSERT_EQ(VlxSimSetValue(name, i), 0);
        bytes += std::string(name) + "\r\n";
    }
    WriteTagList(bytes);
    StatEnsureLoaded();
    ASSERT_EQ(StatLoadedCount, STAT_MAX_TAGS);
    EXPECT_STREQ(StatName[0], "T000");
    EXPECT_STREQ(StatName[511], "T511");
    EXPECT_EQ(StatFindTag("T512"), -1);
    EXPECT_EQ(VlxSimCalls(VLXSIM_ACTIVATE), 512); /* the rest is not read */
}

TEST_F(Loader, RefusedNamesDoNotCountTowardTheLimit)
{
    std::string bytes;
    char name[16];
    for (int i = 0; i < 520; i++) {
        snprintf(name, sizeof name, "T%03d", i);
        ASSERT_EQ(VlxSimSetValue(name, i), 0);
        bytes += "Gone\r\n" + std::string(name) + "\r\n";
    }
    WriteTagList(bytes);
    StatEnsureLoaded();
    ASSERT_EQ(StatLoadedCount, STAT_MAX_TAGS);
    EXPECT_STREQ(StatName[511], "T511");
    EXPECT_EQ(VlxSimCalls(VLXSIM_ACTIVATE), 1024);
}

TEST_F(Loader, LoadClearsEveryLoadedSlot)
{
    DefineAndList({"A", "B"});
    for (int i = 0; i < 2; i++) {
        StatAccumulate(i, 9.0); /* left over from an earlier load */
        StatAccumulate(i, -9.0);
    }
    StatEnsureLoaded();
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(StatCount[i], 0);
        EXPECT_SAME(StatMin[i], 0.0);
        EXPECT_SAME(StatSumSq[i], 0.0);
    }
}

TEST_F(Loader, MissingFileLeavesTheTableLoadedAndEmpty)
{
    ASSERT_EQ(VlxSimSetValue("A", 1.0), 0);
    StatEnsureLoaded();
    EXPECT_NE(StatConnection, 0u);
    EXPECT_EQ(StatLoadedCount, 0);
    /* A file that turns up later is not read until a reload. */
    WriteTagList("A\r\n");
    EXPECT_EQ(StatSample("A"), -1);
    EXPECT_EQ(VlxSimCalls(VLXSIM_INIT), 1);
    StatReload();
    EXPECT_EQ(StatSample("A"), 1);
}

TEST_F(Loader, MissingProfileValueLooksInTheRoot)
{
    plat_posix_set_app_directory(nullptr);
    StatEnsureLoaded();
    EXPECT_STREQ(StatPathBuffer, "\\STATTAGS.CSV");
    EXPECT_NE(StatConnection, 0u);
}

TEST_F(Loader, FailingInitLoadsAgainAtEveryCall)
{
    DefineAndList({"A", "B"});
    VlxSimFailInit(1);
    for (int call = 1; call <= 3; call++) {
        EXPECT_EQ(StatSample("a"), 1) << "call " << call;
        EXPECT_EQ(StatConnection, 0u);
        EXPECT_EQ(StatLoadedCount, 2);
        EXPECT_EQ(VlxSimCalls(VLXSIM_INIT), call);
        EXPECT_EQ(VlxSimCalls(VLXSIM_ACTIVATE), 2 * call);
    }
    EXPECT_NE(SimLog().find("VlxActivate(0,\"A\")=1\n"), std::string::npos);
    /* A reload does nothing without a connection. */
    StatReload();
    EXPECT_EQ(VlxSimCalls(VLXSIM_SHUTDOWN), 0);
    EXPECT_EQ(VlxSimCalls(VLXSIM_INIT), 3);
    /* Once VlxInit gives a connection, the statistics stay. */
    VlxSimFailInit(0);
    EXPECT_EQ(StatSample("A"), 1);
    EXPECT_EQ(StatSample("A"), 2);
    EXPECT_EQ(VlxSimCalls(VLXSIM_INIT), 4);
}

TEST_F(Loader, ReloadShutsTheOldConnectionAndLoadsTheNewFile)
{
    DefineAndList({"A", "B", "C", "D"});
    EXPECT_EQ(StatSample("D"), 1);
    EXPECT_EQ(StatFindTag("D"), 3);
    uint32_t old = StatConnection;
    WriteTagList("D\r\nB\r\n");
    VlxSimReset();
    ASSERT_EQ(VlxSimSetValue("B", 0.0), 0);
    ASSERT_EQ(VlxSimSetValue("D", 0.0), 0);
    StatReload();
    uint32_t c = StatConnection;
    ASSERT_NE(c, 0u);
    EXPECT_NE(c, old);
    char want[256];
    snprintf(want, sizeof want,
             "VlxShutdown(%u)\nVlxInit(0,0)=%u\nVlxActivate(%u,\"D\")=2\nVlxActivate(%u,\"B\")=1\n",
             old, c, c, c);
    EXPECT_EQ(SimLog(), want);
    EXPECT_EQ(Loaded(), (Lines{"D", "B"}));
    EXPECT_EQ(StatGetSampleCount("D", 0), 0);
    EXPECT_EQ(StatFindTag("A"), -1);
}

TEST_F(Loader, ReloadWithoutAConnectionDoesNothing)
{
    DefineAndList({"A"});
    StatReload();
    EXPECT_EQ(SimLog(), "");
    EXPECT_EQ(StatConnection, 0u);
}

} // namespace
