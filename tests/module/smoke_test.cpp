#include <windows.h>

#include <gtest/gtest.h>

TEST(ModuleSmoke, LoadsAndFindsStatSample)
{
    HMODULE m = LoadLibraryA("VELMOK.dll");
    ASSERT_NE(m, nullptr);
    EXPECT_NE(GetProcAddress(m, "StatSample"), nullptr);
    EXPECT_EQ(GetProcAddress(m, (LPCSTR)23), GetProcAddress(m, "StatSample"));
    FreeLibrary(m);
}
