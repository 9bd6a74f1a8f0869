/* Shared fixture of the module tests: VELMOK.dll loaded as the host
 * loads it, with LoadLibraryA, and reached only through its export
 * table; the point-access stand-in VLX.dll held loaded by the test so
 * its tag database and call counts outlive each load of the module; and
 * a tag list directory of the test's own in the Wine prefix, which the
 * profile value "Kelvane"/"ApplicationDirectory" points at. */
#ifndef VELMOK_TESTS_MODULE_FIXTURE_H
#define VELMOK_TESTS_MODULE_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include <string>

#include "sim/vlx/vlx_sim.h"

/* The module's exports, as abi.h gives them. */
typedef BOOL(WINAPI *DllMainFn)(HINSTANCE, DWORD, LPVOID);
typedef void(WINAPI *VoidFn)(void);
typedef LONG(WINAPI *TagFn)(LPCSTR);
typedef LONG(WINAPI *AllFn)(void);
typedef double(WINAPI *GetDoubleFn)(LPCSTR, LONG);
typedef LONG(WINAPI *GetLongFn)(LPCSTR, LONG);
typedef DWORD(WINAPI *PasteFn)(LPCSTR, LPSTR);
typedef LONG(WINAPI *WizardInfoFn)(LONG, UINT, LPVOID, LPVOID);

/* The stand-in's control entries. */
typedef void(WINAPI *SimResetFn)(void);
typedef LONG(WINAPI *SimSetValueFn)(const char *, double);
typedef void(WINAPI *SimRemoveFn)(const char *);
typedef void(WINAPI *SimFailInitFn)(LONG);
typedef LONG(WINAPI *SimCallsFn)(LONG);
typedef LONG(WINAPI *SimLogFn)(char *, LONG);

struct Velmok {
    HMODULE dll;
    DllMainFn DllMain;
    VoidFn QXDllInit, QXDllFree;
    PasteFn MyPasteBuiltInFuncs;
    WizardInfoFn Wizard_GetInfo;
    TagFn StatSample, StatReset;
    AllFn StatSampleAll, StatResetAll;
    GetDoubleFn StatGetAverage, StatGetMin, StatGetMax, StatGetStdDev, StatGetSumXSquared;
    GetLongFn StatGetSampleCount;
};

struct Vlx {
    HMODULE dll;
    SimResetFn Reset;
    SimSetValueFn SetValue;
    SimRemoveFn Remove;
    SimFailInitFn FailInit;
    SimCallsFn Calls;
    SimLogFn Log;
};

/* Equal as stored: NaN equals NaN, and the sign of a zero counts. */
inline bool SameDouble(double a, double b)
{
    if (isnan(a) || isnan(b))
        return isnan(a) && isnan(b);
    return a == b && signbit(a) == signbit(b);
}

#define EXPECT_SAME(a, b) EXPECT_PRED2(SameDouble, a, b)

template <typename T> inline void Resolve(HMODULE dll, T *fn, const char *name)
{
    *fn = (T)(void *)GetProcAddress(dll, name);
}

/* Load VLX.dll (for the test's own reference) and resolve its entries. */
inline bool LoadVlx(Vlx *v)
{
    v->dll = LoadLibraryA("VLX.dll");
    if (!v->dll)
        return false;
    Resolve(v->dll, &v->Reset, "VlxSimReset");
    Resolve(v->dll, &v->SetValue, "VlxSimSetValue");
    Resolve(v->dll, &v->Remove, "VlxSimRemove");
    Resolve(v->dll, &v->FailInit, "VlxSimFailInit");
    Resolve(v->dll, &v->Calls, "VlxSimCalls");
    Resolve(v->dll, &v->Log, "VlxSimLog");
    return v->Reset && v->SetValue && v->Remove && v->FailInit && v->Calls && v->Log;
}

/* Load VELMOK.dll and resolve its entries by name. */
inline bool LoadVelmok(Velmok *m)
{
    memset(m, 0, sizeof *m);
    m->dll = LoadLibraryA("VELMOK.dll");
    if (!m->dll)
        return false;
    Resolve(m->dll, &m->DllMain, "DllMain");
    Resolve(m->dll, &m->QXDllInit, "QXDllInit");
    Resolve(m->dll, &m->QXDllFree, "QXDllFree");
    Resolve(m->dll, &m->MyPasteBuiltInFuncs, "MyPasteBuiltInFuncs");
    Resolve(m->dll, &m->Wizard_GetInfo, "Wizard_GetInfo");
    Resolve(m->dll, &m->StatSample, "StatSample");
    Resolve(m->dll, &m->StatReset, "StatReset");
    Resolve(m->dll, &m->StatSampleAll, "StatSampleAll");
    Resolve(m->dll, &m->StatResetAll, "StatResetAll");
    Resolve(m->dll, &m->StatGetAverage, "StatGetAverage");
    Resolve(m->dll, &m->StatGetMin, "StatGetMin");
    Resolve(m->dll, &m->StatGetMax, "StatGetMax");
    Resolve(m->dll, &m->StatGetStdDev, "StatGetStdDev");
    Resolve(m->dll, &m->StatGetSumXSquared, "StatGetSumXSquared");
    Resolve(m->dll, &m->StatGetSampleCount, "StatGetSampleCount");
    return m->DllMain && m->QXDllInit && m->QXDllFree && m->MyPasteBuiltInFuncs &&
           m->Wizard_GetInfo && m->StatSample && m->StatReset && m->StatSampleAll &&
           m->StatResetAll && m->StatGetAverage && m->StatGetMin && m->StatGetMax &&
           m->StatGetStdDev && m->StatGetSumXSquared && m->StatGetSampleCount;
}

/* Unload VELMOK.dll; true when it is really gone from the process, so
 * the next load starts from a fresh module. */
inline bool UnloadVelmok(Velmok *m)
{
    if (m->dll && !FreeLibrary(m->dll))
        return false;
    m->dll = NULL;
    return GetModuleHandleA("VELMOK.dll") == NULL;
}

inline bool WriteBytes(const std::string &path, const std::string &bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    BOOL ok = WriteFile(h, bytes.data(), (DWORD)bytes.size(), &put, NULL);
    CloseHandle(h);
    return ok && put == bytes.size();
}

/* A fresh directory under the prefix's temporary folder. */
inline std::string MakeTempDir(const char *what)
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static unsigned serial;
    for (;;) {
        char dir[MAX_PATH + 64];
        wsprintfA(dir, "%svelmok-%s-%lu-%u", base, what, GetCurrentProcessId(), ++serial);
        if (CreateDirectoryA(dir, NULL))
            return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::string();
    }
}

inline void RemoveTempDir(const std::string &dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((dir + "\\" + fd.cFileName).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

inline void SetAppDirectory(const char *dir)
{
    WriteProfileStringA("Kelvane", "ApplicationDirectory", dir);
}

/* Each test starts with VLX.dll held, its database empty and its counts
 * zero, a tag list directory of its own named by the profile, and
 * VELMOK.dll freshly loaded. The test writes the tag list file with
 * Tags() before its first script call, which is when the module reads
 * it. */
class ModuleTest : public ::testing::Test {
protected:
    Velmok m = {};
    Vlx vlx = {};
    std::string dir;

    void SetUp() override
    {
        ASSERT_TRUE(LoadVlx(&vlx)) << "VLX.dll and its control entries";
        vlx.Reset();
        dir = MakeTempDir("module");
        ASSERT_FALSE(dir.empty());
        SetAppDirectory(dir.c_str());
        ASSERT_EQ(GetModuleHandleA("VELMOK.dll"), (HMODULE)NULL) << "left loaded by an earlier test";
        ASSERT_TRUE(LoadVelmok(&m)) << "VELMOK.dll and its exports, GetLastError " << GetLastError();
    }

    void TearDown() override
    {
        EXPECT_TRUE(UnloadVelmok(&m));
        SetAppDirectory(NULL);
        if (!dir.empty())
            RemoveTempDir(dir);
        vlx.Reset();
        FreeLibrary(vlx.dll);
    }

    std::string TagListPath() const { return dir + "\\STATTAGS.CSV"; }

    /* Write the tag list file, bytes exactly as given. */
    void Tags(const std::string &bytes) { ASSERT_TRUE(WriteBytes(TagListPath(), bytes)); }

    void Define(const char *name, double value) { ASSERT_EQ(vlx.SetValue(name, value), 0) << name; }

    std::string Log()
    {
        char buf[4096];
        vlx.Log(buf, sizeof buf);
        return buf;
    }
};

#endif
