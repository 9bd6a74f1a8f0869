#include <gtest/gtest.h>

#include "exports/velmok.h"
#include "plat/plat_posix.h"
#include "sim/vlx/vlx_sim.h"

TEST(Smoke, NoFileGivesNotFound)
{
    plat_posix_set_app_directory("/nonexistent");
    EXPECT_EQ(StatSample("Tank1"), -1);
}
