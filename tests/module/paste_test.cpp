/* The script editor's call templates through the export table: text and
 * packed selection for each name, nothing written past the terminator,
 * and nothing loaded. */
#include "module_fixture.h"

static const struct PasteCase {
    const char *name;
    const char *text;   /* what the buffer holds afterwards */
    DWORD selection;    /* low word first selected index, high word end */
    const char *selected; /* the text the selection covers; "" = caret before ';' */
} paste_cases[] = {
    {"StatSample", "StatSample ( TagName );", 0x14000D, "TagName"},
    {"StatSampleAll", "StatSampleAll ();", 0x100010, ""},
    {"StatReset", "StatReset ( TagName );", 0x13000C, "TagName"},
    {"StatResetAll", "StatResetAll ();", 0xF000F, ""},
    {"StatGetAverage", "StatGetAverage ( TagName, Trigger );", 0x180011, "TagName"},
    {"StatGetMax", "StatGetMax ( TagName, Trigger );", 0x14000D, "TagName"},
    {"StatGetMin", "StatGetMin ( TagName, Trigger );", 0x14000D, "TagName"},
    {"StatGetStdDev", "StatGetStdDev ( TagName, Trigger );", 0x170010, "TagName"},
    {"StatGetSampleCount", "StatGetSampleCount ( TagName, Trigger );", 0x1C0015, "TagName"},
    {"StatGetSumXSquared", "StatGetSumXSquared ( TagName, Trigger );", 0x1C0015, "TagName"},
    /* The name is kept as written; the case of A-Z does not matter. */
    {"statsample", "statsample ( TagName );", 0x14000D, "TagName"},
    {"STATSAMPLEALL", "STATSAMPLEALL ();", 0x100010, ""},
    /* No row but a whole name matches: the name alone, and 0. */
    {"StatGet", "StatGet", 0, NULL},
    {"StatSample ", "StatSample ", 0, NULL},
    {"StatSampleAl", "StatSampleAl", 0, NULL},
    {"", "", 0, NULL},
    {"MyPasteBuiltInFuncs", "MyPasteBuiltInFuncs", 0, NULL},
    /* Only A-Z fold; punctuation is not passed over. */
    {"Stat-Sample", "Stat-Sample", 0, NULL},
    {"Stat'Sample", "Stat'Sample", 0, NULL},
};

class PasteTest : public ModuleTest {};

TEST_F(PasteTest, EachNameGivesItsTemplateAndSelection)
{
    Define("Tank1", 1.0);
    Tags("Tank1\r\n");
    for (const PasteCase &c : paste_cases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.name << "\"");
        char out[64];
        memset(out, 0x55, sizeof out);
        DWORD got = m.MyPasteBuiltInFuncs(c.name, out);
        EXPECT_EQ(got, c.selection);
        EXPECT_STREQ(out, c.text);
        size_t used = strlen(c.text) + 1;
        for (size_t i = used; i < sizeof out; i++)
            ASSERT_EQ((unsigned char)out[i], 0x55) << "written past the terminator at " << i;
        if (!c.selected)
            continue;
        size_t start = got & 0xFFFF, end = got >> 16;
        ASSERT_LE(start, end);
        ASSERT_LT(end, used);
        EXPECT_EQ(std::string(out + start, end - start), c.selected);
        if (start == end) {
            EXPECT_EQ(out[start], ';');
        }
    }
    for (LONG f = 0; f < VLXSIM_FUNCTIONS; f++)
        EXPECT_EQ(vlx.Calls(f), 0) << "the paste helper loaded the table, function " << f;
    EXPECT_EQ(m.StatGetSampleCount("Tank1", 0), 0) << "the table loads at the first script call";
    EXPECT_EQ(vlx.Calls(VLXSIM_INIT), 1);
}

TEST_F(PasteTest, MissingPointersGiveNothing)
{
    char out[8] = "x";
    EXPECT_EQ(m.MyPasteBuiltInFuncs(NULL, out), 0u);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(m.MyPasteBuiltInFuncs("StatSample", NULL), 0u);
}
