/* The module as the system and the host see it: its export table by
 * name and by ordinal, its entry's notifications, and what loading and
 * unloading do to files and to the point-access library: nothing. */
#include "module_fixture.h"

/* Index = ordinal; NULL marks an empty slot. */
static const char *const exported_at[] = {
    NULL,
    "DllMain", "QXDllInit", "QXDllFree",
    NULL, NULL, NULL, NULL, NULL, NULL,
    "Wizard_DoCommand", "Wizard_GetInfo", "WizardLib_GetInfo", "StatCfgDlgProc",
    NULL, NULL, NULL, NULL, NULL, NULL,
    "MyPasteBuiltInFuncs",
    "StatReset", "StatResetAll", "StatSample", "StatSampleAll",
    "StatGetAverage", "StatGetMin", "StatGetMax", "StatGetStdDev",
    "StatGetSampleCount", "StatGetSumXSquared",
};
static const int last_ordinal = (int)(sizeof exported_at / sizeof exported_at[0]) - 1;

TEST_F(ModuleTest, EveryOrdinalResolvesToTheEntryOfItsName)
{
    int named = 0;
    for (int ordinal = 1; ordinal <= last_ordinal + 2; ordinal++) {
        const char *name = ordinal <= last_ordinal ? exported_at[ordinal] : NULL;
        SCOPED_TRACE(testing::Message() << "ordinal " << ordinal << " " << (name ? name : "(empty)"));
        FARPROC by_ordinal = GetProcAddress(m.dll, MAKEINTRESOURCEA(ordinal));
        if (!name) {
            EXPECT_EQ(by_ordinal, (FARPROC)NULL);
            continue;
        }
        FARPROC by_name = GetProcAddress(m.dll, name);
        EXPECT_NE(by_name, (FARPROC)NULL);
        EXPECT_EQ(by_ordinal, by_name);
        named++;
    }
    EXPECT_EQ(named, 18);
    EXPECT_EQ(GetProcAddress(m.dll, MAKEINTRESOURCEA(0xFFFF)), (FARPROC)NULL);
}

TEST_F(ModuleTest, OnlyThePlainNamesAreExported)
{
    static const char *const not_exported[] = {
        "_StatSample@4", "StatSample@4", "_StatSample", "statsample", "STATSAMPLE",
        "_DllMain@12", "DllMainCRTStartup", "VelmokDescription", "VlxInit",
    };
    for (const char *name : not_exported)
        EXPECT_EQ(GetProcAddress(m.dll, name), (FARPROC)NULL) << name;
}

static DWORD WINAPI idle_thread(LPVOID)
{
    return 0;
}

/* Thread notifications and a process detach change nothing: the module
 * keeps the instance handle it got at attach (its own strings still
 * load through it) and makes no point-access call. The handle passed
 * here is the test program's, which has no such strings. */
TEST_F(ModuleTest, EntryAnswersEveryNotificationAndKeepsItsInstance)
{
    char want[128] = "";
    ASSERT_GT(LoadStringA(m.dll, 1, want, sizeof want), 0);

    /* A real thread: the system's own attach and detach notifications. */
    HANDLE thread = CreateThread(NULL, 0, idle_thread, NULL, 0, NULL);
    ASSERT_NE(thread, (HANDLE)NULL);
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);

    HINSTANCE other = GetModuleHandleA(NULL);
    static const DWORD reasons[] = {DLL_THREAD_ATTACH, DLL_THREAD_DETACH, DLL_PROCESS_DETACH};
    for (DWORD reason : reasons)
        EXPECT_EQ(m.DllMain(other, reason, NULL), TRUE) << "reason " << reason;

    char got[128] = "";
    EXPECT_EQ(m.Wizard_GetInfo(1, 5, (LPVOID)1, got), 1);
    EXPECT_STREQ(got, want) << "the instance handle changed";
    for (LONG f = 0; f < VLXSIM_FUNCTIONS; f++)
        EXPECT_EQ(vlx.Calls(f), 0) << "function " << f;
}

/* Loading, the host's entries and unloading read neither the profile
 * nor the tag list file and make no point-access call: the first script
 * call finds the profile and file as they are then, not as they were at
 * load. */
TEST_F(ModuleTest, LoadAndUnloadTouchNothing)
{
    Define("Old", 1.0);
    Define("New", 2.0);
    Tags("Old\r\n");
    ASSERT_TRUE(UnloadVelmok(&m));
    ASSERT_TRUE(LoadVelmok(&m));
    m.QXDllInit();
    m.QXDllFree();
    ASSERT_TRUE(UnloadVelmok(&m));
    ASSERT_TRUE(LoadVelmok(&m));
    m.QXDllInit();
    for (LONG f = 0; f < VLXSIM_FUNCTIONS; f++)
        EXPECT_EQ(vlx.Calls(f), 0) << "function " << f;
    EXPECT_EQ(Log(), "");

    std::string other = MakeTempDir("later");
    ASSERT_TRUE(WriteBytes(other + "\\STATTAGS.CSV", "New\r\n"));
    SetAppDirectory(other.c_str());
    EXPECT_EQ(m.StatSample("New"), 1);
    EXPECT_EQ(m.StatSample("Old"), -1);
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 1);
    RemoveTempDir(other);
}

/* After use, the host's free entry, the detach and the unload leave the
 * connection open: no VlxShutdown. The next load is a fresh module that
 * opens a connection of its own and starts from zero. */
TEST_F(ModuleTest, UnloadAfterUseLeavesTheConnectionOpen)
{
    Define("Tank1", 4.0);
    Tags("Tank1\r\n");
    EXPECT_EQ(m.StatSample("Tank1"), 1);
    EXPECT_EQ(m.StatSample("Tank1"), 2);
    m.QXDllFree();
    ASSERT_TRUE(UnloadVelmok(&m));
    EXPECT_EQ(vlx.Calls(VLXSIM_SHUTDOWN), 0);
    EXPECT_EQ(Log().find("VlxShutdown"), std::string::npos) << Log();

    ASSERT_TRUE(LoadVelmok(&m));
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 1) << "nothing at load";
    EXPECT_EQ(m.StatGetSampleCount("Tank1", 0), 0);
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 2);
    EXPECT_EQ(m.StatSample("Tank1"), 1);
    EXPECT_EQ(vlx.Calls(VLXSIM_SHUTDOWN), 0);
}
