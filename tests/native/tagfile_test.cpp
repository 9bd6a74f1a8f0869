/* The tag list reader: byte sequences and the lines they give, read in
 * blocks of several sizes from memory and once from a real file. */
#include "core_fixture.h"
#include "stat/tagfile.h"

namespace {

using Lines = std::vector<std::string>;

struct ReadCase {
    std::string bytes;
    Lines lines;
};

std::string B(const char *s, size_t n) { return std::string(s, n); }

const std::string k32(32, 'n');

const ReadCase kCases[] = {
    {"", {}},
    {"A\r\nB\r\n", {"A", "B"}},
    {"A\nB\n", {"A", "B"}},
    {"A\r\nB", {"A"}},                      /* a last line without a line end is not a line */
    {"A\r\n\x1a" "B\r\n", {"A"}},           /* Ctrl-Z ends the input */
    {"\x1a" "A\n", {}},
    {"A\r\x1a\n", {}},                      /* CR before Ctrl-Z is a character of a lost line */
    {"A\rB\n", {"A\rB"}},                   /* a lone CR is a character */
    {"A\r\r\n", {"A\r"}},
    {"\r\r\n\n", {"\r", ""}},
    {"A\r", {}},                            /* CR as the last byte */
    {"A\n\r", {"A"}},
    {B("A\0B\n", 4), {"AB"}},               /* a zero byte adds nothing */
    {B("\0\n\0\r\0\n", 6), {"", "\r"}},     /* CR 0 LF is no line end */
    {"\n\r\n\n", {"", "", ""}},
    {" a, b \t\n", {" a, b \t"}},           /* nothing is trimmed */
    {"\xff\x80\xc4\n", {"\xff\x80\xc4"}},
    {k32 + "\r\n", {k32}},                  /* 32 characters fit */
    {k32 + "x\r\nB\r\n", {"B"}},            /* 33 are skipped, the next line reads as usual */
    {std::string(5000, 'x') + "\nB\nC\r\n", {"B", "C"}},
    {k32 + B("\0\0\0\n", 4), {k32}},        /* zero bytes do not count toward the length */
    {k32 + "\r\r\n" + "B\n", {"B"}},        /* a CR counts */
    {"A\r\n" + k32 + "xx", {"A"}},
};

Lines ReadAll(TagFileReader *r)
{
    Lines out;
    char line[STAT_NAME_FIELD];
    while (TagFileNextLine(r, line))
        out.push_back(line);
    /* Once ended, the input stays ended. */
    EXPECT_EQ(TagFileNextLine(r, line), 0);
    TagFileClose(r);
    return out;
}

std::string Show(const std::string &s)
{
    std::string o;
    char hex[8];
    for (unsigned char c : s) {
        if (c >= 32 && c < 127 && c != '\\')
            o += (char)c;
        else {
            snprintf(hex, sizeof hex, "\\x%02x", c);
            o += hex;
        }
    }
    return o.size() > 80 ? o.substr(0, 80) + "..." : o;
}

class TagFile : public CoreTest {};

TEST_F(TagFile, TextModeLinesAtEveryBlockSize)
{
    static TagFileReader r;
    for (int block : {1, 2, 3, 512}) {
        for (const ReadCase &c : kCases) {
            TagFileOpenMemory(&r, c.bytes.data(), c.bytes.size(), block);
            EXPECT_EQ(ReadAll(&r), c.lines) << "block " << block << ", bytes " << Show(c.bytes);
        }
    }
}

TEST_F(TagFile, TextModeLinesFromAFile)
{
    static TagFileReader r;
    for (const ReadCase &c : kCases) {
        WriteTagList(c.bytes);
        ASSERT_EQ(TagFileOpen(&r, ListPath().c_str()), 0);
        EXPECT_EQ(ReadAll(&r), c.lines) << "bytes " << Show(c.bytes);
    }
}

TEST_F(TagFile, MissingFileHasNoLines)
{
    static TagFileReader r;
    EXPECT_EQ(TagFileOpen(&r, ListPath().c_str()), -1);
    EXPECT_EQ(ReadAll(&r), Lines{});
    EXPECT_EQ(TagFileOpen(&r, dir.c_str()), -1); /* a directory is no file */
}

TEST_F(TagFile, EmptyMemoryHasNoLines)
{
    static TagFileReader r;
    TagFileOpenMemory(&r, nullptr, 0, 3);
    EXPECT_EQ(ReadAll(&r), Lines{});
}

} // namespace
