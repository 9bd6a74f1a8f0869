/* Shared fixture of the native suites: an empty, unloaded table, a
 * fresh point-access stand-in, and a temporary application directory
 * that the profile value points at. */
#ifndef VELMOK_TESTS_CORE_FIXTURE_H
#define VELMOK_TESTS_CORE_FIXTURE_H

#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <filesystem>
#include <string>
#include <vector>

#include "plat/plat_posix.h"
#include "sim/vlx/vlx_sim.h"
#include "stat/loader.h"
#include "stat/table.h"

/* Bring the table back to its state at module load: all zero. */
inline void ResetTable()
{
    StatConnection = 0;
    StatLoadedCount = 0;
    memset(StatName, 0, sizeof StatName);
    memset(StatFolded, 0, sizeof StatFolded);
    memset(StatNameKey, 0, sizeof StatNameKey);
    memset(StatPoint, 0, sizeof StatPoint);
    for (int32_t i = 0; i < STAT_MAX_TAGS; i++)
        StatClearSlot(i);
}

/* Equal as stored: NaN equals NaN, and the sign of a zero counts. */
inline bool SameDouble(double a, double b)
{
    if (isnan(a) || isnan(b))
        return isnan(a) && isnan(b);
    return a == b && signbit(a) == signbit(b);
}

#define EXPECT_SAME(a, b) EXPECT_PRED2(SameDouble, a, b)

class CoreTest : public ::testing::Test {
protected:
    std::string dir;

    void SetUp() override
    {
        ResetTable();
        VlxSimReset();
        const char *tmp = getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/velmok-core-XXXXXX";
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back(0);
        ASSERT_NE(mkdtemp(buf.data()), nullptr);
        dir = buf.data();
        plat_posix_set_app_directory(dir.c_str());
    }

    void TearDown() override
    {
        plat_posix_set_app_directory(nullptr);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    std::string ListPath() const { return dir + "/" STAT_TAGLIST_NAME; }

    /* Write the tag list file with exactly these bytes. */
    void WriteTagList(const std::string &bytes)
    {
        FILE *f = fopen(ListPath().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        ASSERT_EQ(fclose(f), 0);
    }

    /* Define the tags in the stand-in's database and list them in the
     * file, each followed by CR LF as the editor writes them. */
    void DefineAndList(const std::vector<std::string> &names)
    {
        std::string bytes;
        for (const std::string &n : names) {
            ASSERT_EQ(VlxSimSetValue(n.c_str(), 0.0), 0);
            bytes += n + "\r\n";
        }
        WriteTagList(bytes);
    }

    static std::string SimLog()
    {
        static char buf[65536];
        VlxSimLog(buf, sizeof buf);
        return buf;
    }
};

#endif
