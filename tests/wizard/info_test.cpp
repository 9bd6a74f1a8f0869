/* The wizard library's information entries, as the host's wizard
 * framework queries them: each code with its arguments against the
 * answer and exactly the bytes written. */
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "harness.h"

namespace {

#define FILL 0xCC
#define OUT_SIZE 128

enum Kind { NO_ANSWER, TEXT, VALUE, PICTURE };

/* The caller's storage, filled beforehand so that every byte written
 * shows. */
struct Output {
    unsigned char bytes[OUT_SIZE];
    Output() { memset(bytes, FILL, sizeof bytes); }
    size_t untouched_from() const
    {
        size_t i = OUT_SIZE;
        while (i > 0 && bytes[i - 1] == FILL)
            i--;
        return i;
    }
};

/* The answer written: a text and its terminator, a 32-bit value, or a
 * bitmap handle; with NO_ANSWER the result is 0 and no byte changes. */
void expect_answer(const Output &out, LONG result, Kind kind, const char *text, LONG value, const char *what)
{
    SCOPED_TRACE(what);
    switch (kind) {
    case NO_ANSWER:
        EXPECT_EQ(result, 0);
        EXPECT_EQ(out.untouched_from(), 0u) << "bytes written though the code is not answered";
        break;
    case TEXT:
        EXPECT_EQ(result, 1);
        EXPECT_STREQ((const char *)out.bytes, text);
        EXPECT_EQ(out.untouched_from(), strlen(text) + 1) << "written beyond the terminator";
        break;
    case VALUE: {
        EXPECT_EQ(result, 1);
        LONG got;
        memcpy(&got, out.bytes, sizeof got);
        EXPECT_EQ(got, value);
        EXPECT_LE(out.untouched_from(), sizeof(LONG)) << "written beyond the 32-bit value";
        break;
    }
    case PICTURE:
        break;
    }
}

class WizardInfo : public ::testing::Test {
protected:
    Velmok m = {};
    void SetUp() override { ASSERT_TRUE(LoadVelmok(&m)); }
    void TearDown() override { UnloadVelmok(&m); }
};

struct LibCase {
    UINT code;
    LONG argument;
    Kind kind;
    const char *text;
    LONG value;
};

TEST_F(WizardInfo, LibraryCodes)
{
    static const LibCase cases[] = {
        {1, 0, TEXT, "UnSupported Wizard", 0},
        {0x10001, 7, TEXT, "UnSupported Wizard", 0},
        {2, 0, VALUE, NULL, 0},
        {2, 5, VALUE, NULL, 0},
        {3, 0, TEXT, "Version 1.0", 0},
        {0x10003, 0, TEXT, "Version 1.0", 0},
        {0xFFFF0003u, 0, TEXT, "Version 1.0", 0},
        {4, 0, TEXT, "Statistical Functions Wizard Library", 0},
        {5, 0, VALUE, NULL, 1},
        {5, 1, VALUE, NULL, 0},
        {5, -1, VALUE, NULL, 0},
        {5, 0x10000, VALUE, NULL, 0},
        {0x20005, 0, VALUE, NULL, 1},
        {0, 0, NO_ANSWER, NULL, 0},
        {6, 0, NO_ANSWER, NULL, 0},
        {7, 0, NO_ANSWER, NULL, 0},
        {0xFFFF, 0, NO_ANSWER, NULL, 0},
        {0x10000, 0, NO_ANSWER, NULL, 0},
        {0x10006, 0, NO_ANSWER, NULL, 0},
    };
    for (const LibCase &c : cases) {
        Output out;
        LONG result = m.WizardLib_GetInfo(c.code, c.argument, out.bytes);
        char what[64];
        wsprintfA(what, "WizardLib_GetInfo(%#x, %d)", c.code, (int)c.argument);
        expect_answer(out, result, c.kind, c.text, c.value, what);
    }
}

/* Third argument of Wizard_GetInfo: a plain value, or for code 7 the
 * address of an integer holding it. */
struct InfoCase {
    LONG wizard;
    UINT code;
    bool third_points;
    INT32 third;
    Kind kind;
    const char *text; /* for PICTURE: the resource it must be */
    LONG value;
};

TEST_F(WizardInfo, WizardCodes)
{
    static const InfoCase cases[] = {
        {1, 1, false, 0, TEXT, "Statistical Functions Wizard Library", 0},
        {0, 1, false, 1, TEXT, "Statistical Functions Wizard Library", 0},
        {-3, 0x10001, false, 0, TEXT, "Statistical Functions Wizard Library", 0},
        {1, 2, false, 0, NO_ANSWER, NULL, 0},
        {1, 3, false, 0, VALUE, NULL, 4},
        {9, 0x10003, false, 1, VALUE, NULL, 4},
        {1, 4, false, 0, VALUE, NULL, 0},
        {0, 4, false, 1, VALUE, NULL, 0},
        {1, 5, false, 0, TEXT, "VELMOK Tag List Editor", 0},
        {1, 5, false, 1, TEXT, "Statistical Functions Tag List Editor Wizard", 0},
        {1, 5, false, 0x12340, TEXT, "Statistical Functions Tag List Editor Wizard", 0},
        {1, 0x30005, false, 0, TEXT, "VELMOK Tag List Editor", 0},
        {1, 6, false, 0, PICTURE, "STATWIZMBMP", 0},
        {1, 6, false, 1, PICTURE, "STATWIZMBMP", 0},
        {1, 7, true, 1, PICTURE, "STATWIZPBMP", 0},
        {1, 7, true, -5, PICTURE, "STATWIZPBMP", 0},
        {1, 7, true, 0, PICTURE, "STATWIZTBMP", 0},
        {1, 0x10007, true, 0, PICTURE, "STATWIZTBMP", 0},
        /* Only wizard 1 has resources; the others get no answer. */
        {0, 5, false, 1, NO_ANSWER, NULL, 0},
        {2, 5, false, 0, NO_ANSWER, NULL, 0},
        {-1, 5, false, 1, NO_ANSWER, NULL, 0},
        {0x10001, 5, false, 1, NO_ANSWER, NULL, 0},
        {0, 6, false, 0, NO_ANSWER, NULL, 0},
        {2, 6, false, 0, NO_ANSWER, NULL, 0},
        {0, 7, true, 1, NO_ANSWER, NULL, 0},
        {2, 7, true, 0, NO_ANSWER, NULL, 0},
        {1, 0, false, 0, NO_ANSWER, NULL, 0},
        {1, 8, false, 0, NO_ANSWER, NULL, 0},
        {1, 0xFFFF, false, 0, NO_ANSWER, NULL, 0},
        {1, 0x10000, false, 0, NO_ANSWER, NULL, 0},
    };
    for (const InfoCase &c : cases) {
        Output out;
        INT32 pointed = c.third;
        LPVOID third = c.third_points ? (LPVOID)&pointed : (LPVOID)(INT_PTR)c.third;
        LONG result = m.Wizard_GetInfo(c.wizard, c.code, third, out.bytes);
        char what[80];
        wsprintfA(what, "Wizard_GetInfo(%d, %#x, %s%d)", (int)c.wizard, c.code, c.third_points ? "&" : "",
                  (int)c.third);
        expect_answer(out, result, c.kind, c.text, c.value, what);
        if (c.kind != PICTURE)
            continue;
        SCOPED_TRACE(what);
        EXPECT_EQ(result, 1);
        EXPECT_LE(out.untouched_from(), sizeof(HBITMAP)) << "written beyond the handle";
        HBITMAP got;
        memcpy(&got, out.bytes, sizeof got);
        HBITMAP want = LoadBitmapA(m.dll, c.text);
        ASSERT_NE(got, (HBITMAP)NULL);
        ASSERT_NE(want, (HBITMAP)NULL);
        BITMAP a, b;
        ASSERT_TRUE(GetObjectA(got, sizeof a, &a));
        ASSERT_TRUE(GetObjectA(want, sizeof b, &b));
        EXPECT_EQ(a.bmWidth, b.bmWidth);
        EXPECT_EQ(a.bmHeight, b.bmHeight);
        /* Same pixels as the named resource. */
        HDC dc = CreateCompatibleDC(NULL);
        for (int y = 0; y < b.bmHeight; y++)
            for (int x = 0; x < b.bmWidth; x++) {
                HGDIOBJ old = SelectObject(dc, got);
                COLORREF pa = GetPixel(dc, x, y);
                SelectObject(dc, want);
                COLORREF pb = GetPixel(dc, x, y);
                SelectObject(dc, old);
                if (pa != pb) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " differs from " << c.text;
                    y = b.bmHeight;
                    break;
                }
            }
        DeleteDC(dc);
        DeleteObject(got);
        DeleteObject(want);
    }
}

/* What the three pictures are: sizes and the colour of their fields. */
TEST_F(WizardInfo, BitmapsShowTheirFields)
{
    struct {
        const char *name;
        int size;
        COLORREF field;
        POINT on_sigma; /* a pixel of the sigma's top bar */
    } const cases[] = {
        {"STATWIZMBMP", 64, RGB(0xFF, 0xFF, 0), {31, 11}},
        {"STATWIZPBMP", 20, RGB(0xFF, 0xFF, 0), {10, 3}},
        {"STATWIZTBMP", 20, RGB(0xBF, 0xBF, 0), {10, 3}},
    };
    HDC dc = CreateCompatibleDC(NULL);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HBITMAP bm = LoadBitmapA(m.dll, c.name);
        ASSERT_NE(bm, (HBITMAP)NULL);
        BITMAP info;
        GetObjectA(bm, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, c.size);
        EXPECT_EQ(info.bmHeight, c.size);
        HGDIOBJ old = SelectObject(dc, bm);
        EXPECT_EQ(GetPixel(dc, 0, 0), c.field);
        EXPECT_EQ(GetPixel(dc, c.size - 1, c.size - 1), c.field);
        EXPECT_EQ(GetPixel(dc, c.on_sigma.x, c.on_sigma.y), RGB(0, 0, 0));
        SelectObject(dc, old);
        DeleteObject(bm);
    }
    DeleteDC(dc);
}

/* Each code 6 answer is a new bitmap object that the caller owns. */
TEST_F(WizardInfo, EachBitmapAnswerIsANewBitmap)
{
    HBITMAP first = NULL, second = NULL;
    INT32 zero = 0;
    ASSERT_EQ(m.Wizard_GetInfo(1, 6, &zero, &first), 1);
    ASSERT_EQ(m.Wizard_GetInfo(1, 6, &zero, &second), 1);
    ASSERT_NE(first, (HBITMAP)NULL);
    ASSERT_NE(second, (HBITMAP)NULL);
    EXPECT_NE(first, second);
    BITMAP a, b;
    ASSERT_TRUE(GetObjectA(first, sizeof a, &a));
    ASSERT_TRUE(GetObjectA(second, sizeof b, &b));
    EXPECT_EQ(a.bmWidth, 64);
    EXPECT_EQ(a.bmHeight, 64);
    EXPECT_EQ(b.bmWidth, 64);
    EXPECT_EQ(b.bmHeight, 64);
    /* Releasing one leaves the other usable. */
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_TRUE(GetObjectA(second, sizeof b, &b));
    EXPECT_TRUE(DeleteObject(second));
}

} // namespace
