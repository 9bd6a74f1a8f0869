/* The tag list editor under the real dialog manager: as a modeless
 * dialog made from the module's template and procedure, and modally
 * through Wizard_DoCommand, driven from a thread timer that acts on the
 * dialog and answers its message boxes. */
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "harness.h"

namespace {

#define IDC_TAGLIST 1000
#define IDC_ADD 1001
#define IDC_DELETE 1002
#define IDC_DELETEALL 1003
#define IDC_TAGNAME 1004

#define MISSING "<missing>"

typedef std::vector<std::string> Names;

/* count lines "T000", "T001", ... each ending CR LF. */
std::string numbered_lines(int count)
{
    std::string s;
    char line[16];
    for (int i = 0; i < count; i++) {
        sprintf(line, "T%03d\r\n", i);
        s += line;
    }
    return s;
}

Names numbered_names(int count)
{
    Names names;
    char name[16];
    for (int i = 0; i < count; i++) {
        sprintf(name, "T%03d", i);
        names.push_back(name);
    }
    return names;
}

/* The connection handle of the first VlxInit in the log, or 0. */
unsigned first_connection(void)
{
    unsigned handle = 0;
    std::string log = VlxLog();
    size_t at = log.find("VlxInit(0,0)=");
    if (at != std::string::npos)
        sscanf(log.c_str() + at, "VlxInit(0,0)=%u", &handle);
    return handle;
}

size_t count_of(const std::string &text, const std::string &part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        n++;
    return n;
}

/* Tests' view of the toolkit hook: a plain function the stand-in calls,
 * forwarding to whatever the test set. */
std::function<void(const std::string &, HWND)> on_toolkit_call;
void WINAPI toolkit_hook(const char *line, HWND dialog)
{
    if (on_toolkit_call)
        on_toolkit_call(line, dialog);
}

void expect_box(const SeenBox &box, HWND owner, const char *text, const std::string &caption, bool yes_no)
{
    EXPECT_EQ(box.owner, owner);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    if (yes_no) {
        EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(box.default_button, IDYES);
        EXPECT_EQ(box.icon, LoadIconA(NULL, IDI_QUESTION));
    } else {
        EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
        EXPECT_EQ(box.default_button, IDOK);
        EXPECT_EQ(box.icon, LoadIconA(NULL, IDI_INFORMATION));
    }
}

class Editor : public ::testing::Test {
protected:
    Velmok m = {};
    TagDir d;

    void SetUp() override
    {
        ASSERT_TRUE(LoadSims());
        sim.VlxSimReset();
        sim.QXSimReset();
        sim.QXSimSetHook(toolkit_hook);
        on_toolkit_call = nullptr;
        d = MakeTagDir();
        ASSERT_TRUE(LoadVelmok(&m));
    }

    void TearDown() override
    {
        UnloadVelmok(&m);
        sim.QXSimReset();
        on_toolkit_call = nullptr;
        RemoveTagDir(d);
    }

    /* Write the tag list file (or remove it, for MISSING). */
    void file(const std::string &bytes)
    {
        SetFileAttributesA(d.path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(d.path.c_str());
        if (bytes != MISSING)
            WriteBytes(d.path, bytes);
    }

    std::string file_now() { return ReadBytes(d.path); }

    /* Only the tag list file in its directory: no temporary file left. */
    void expect_no_stray_files()
    {
        Names files = FilesIn(d.dir);
        Names want;
        if (file_now() != MISSING)
            want.push_back("STATTAGS.CSV");
        EXPECT_EQ(files, want);
    }

    /* Define tags in the point-access stand-in and take a sample of
     * each, so a connection is held. */
    void go_live(const Names &tags)
    {
        for (const std::string &t : tags)
            sim.VlxSimSetValue(t.c_str(), 1.0);
        for (const std::string &t : tags)
            ASSERT_EQ(m.StatSample(t.c_str()), 1) << t;
        ASSERT_EQ(sim.VlxSimCalls(VLX_INIT), 1);
        ASSERT_NE(first_connection(), 0u);
    }
};

/* ---- Filling the list ---- */

struct FillCase {
    const char *what;
    std::string bytes;
    Names listed;
};

TEST_F(Editor, FillListsTheFileSorted)
{
    const FillCase cases[] = {
        {"sorted ignoring case", "Zeta\r\nalpha\r\nBeta\r\n", {"alpha", "Beta", "Zeta"}},
        {"LF line ends", "b\nA\n", {"A", "b"}},
        {"empty and repeated lines", "Tank1\r\n\r\nTank1\r\n", {"", "Tank1", "Tank1"}},
        {"last line without a line end", "A\r\nB", {"A"}},
        {"Ctrl-Z ends the file", std::string("A\r\n\x1a" "B\r\n"), {"A"}},
        {"lone CR kept, NUL dropped", std::string("A\rB\nC\0D\n", 8), {"A\rB", "CD"}},
        {"blanks and commas kept", " x, y \n", {" x, y "}},
        {"line longer than a name skipped", std::string(32, 'a') + "\r\n" + std::string(33, 'b') + "\r\nc\r\n",
         {std::string(32, 'a'), "c"}},
        {"empty file", "", {}},
        {"no file", MISSING, {}},
        {"600 lines give the first 512", numbered_lines(600), numbered_names(512)},
    };
    Driver driver;
    for (const FillCase &c : cases) {
        SCOPED_TRACE(c.what);
        file(c.bytes);
        HWND dialog = OpenModeless(m);
        ASSERT_NE(dialog, (HWND)NULL);
        EXPECT_EQ(ListEntries(dialog), c.listed);
        EXPECT_EQ(FieldText(dialog), "");
        DestroyWindow(dialog);
        EXPECT_EQ(file_now(), c.bytes) << "the fill changed the file";
    }
    EXPECT_TRUE(Boxes.empty()) << Boxes.size() << " message boxes, the first: " << Boxes[0].text;
}

/* ---- OK: the file's bytes ---- */

struct SaveCase {
    const char *what;
    std::string before, after;
};

TEST_F(Editor, OkWritesTheListSortedWithCrLf)
{
    const SaveCase cases[] = {
        {"sorted", "Zeta\r\nalpha\r\nBeta\r\n", "alpha\r\nBeta\r\nZeta\r\n"},
        {"LF becomes CR LF", "b\nA\n", "A\r\nb\r\n"},
        {"no file: created empty", MISSING, ""},
        {"empty file stays empty", "", ""},
        {"unterminated last line dropped", "A\r\nB", "A\r\n"},
        {"empty and repeated lines kept", "B\r\n\r\nB\r\n", "\r\nB\r\nB\r\n"},
        {"lone CR kept", "A\rB\n", "A\rB\r\n"},
        {"long line dropped", std::string(33, 'b') + "\r\nc\r\n", "c\r\n"},
        {"600 lines: 512 written", numbered_lines(600), numbered_lines(512)},
    };
    Driver driver;
    for (const SaveCase &c : cases) {
        SCOPED_TRACE(c.what);
        file(c.before);
        sim.QXSimReset();
        sim.QXSimSetHook(toolkit_hook);
        HWND dialog = OpenModeless(m);
        ASSERT_NE(dialog, (HWND)NULL);
        Click(dialog, IDOK);
        EXPECT_FALSE(EditorOpen(dialog)) << "OK did not end the dialog";
        EXPECT_EQ(file_now(), c.after);
        expect_no_stray_files();
        EXPECT_EQ(QxLog(), "Register(1004)\nUnregister(1004)\n");
        DestroyWindow(dialog);
    }
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(sim.VlxSimCalls(VLX_INIT), 0) << "no connection was held, so nothing is loaded";
    EXPECT_EQ(sim.VlxSimCalls(VLX_SHUTDOWN), 0);
}

/* ---- Add ---- */

struct AddCase {
    const char *what;
    std::string before, typed;
    Names listed;
    const char *message; /* NULL: none */
};

TEST_F(Editor, AddTakesNewWholeNames)
{
    const std::string forty = "0123456789012345678901234567890123456789";
    const AddCase cases[] = {
        {"a name that begins a listed one", "Tank10\r\n", "Tank1", {"Tank1", "Tank10"}, NULL},
        {"listed in other capitals", "Tank1\r\n", "TANK1", {"Tank1"}, "TagName Already Exists"},
        {"listed exactly", "Tank1\r\n", "Tank1", {"Tank1"}, "TagName Already Exists"},
        {"listed as a longer name's beginning", "Tank1\r\n", "tank10", {"Tank1", "tank10"}, NULL},
        {"sorted in", "B\r\nd\r\n", "c", {"B", "c", "d"}, NULL},
        {"blanks and commas kept", "", "  a, b  ", {"  a, b  "}, NULL},
        {"40 characters: the first 31", "", forty, {forty.substr(0, 31)}, NULL},
        {"empty field adds nothing", "A\r\n", "", {"A"}, NULL},
    };
    Driver driver;
    for (const AddCase &c : cases) {
        SCOPED_TRACE(c.what);
        file(c.before);
        Boxes.clear();
        HWND dialog = OpenModeless(m);
        ASSERT_NE(dialog, (HWND)NULL);
        SetField(dialog, c.typed);
        Click(dialog, IDC_ADD);
        EXPECT_EQ(ListEntries(dialog), c.listed);
        EXPECT_EQ(FieldText(dialog), "") << "the field is emptied";
        if (c.message) {
            ASSERT_EQ(Boxes.size(), 1u);
            expect_box(Boxes[0], dialog, c.message, "Stat Function Wizard", false);
        } else {
            EXPECT_TRUE(Boxes.empty()) << Boxes[0].text;
        }
        EXPECT_TRUE(EditorOpen(dialog));
        DestroyWindow(dialog);
        EXPECT_EQ(file_now(), c.before) << "Add wrote the file";
    }
}

TEST_F(Editor, AddRefusesThe513thName)
{
    struct {
        const char *what;
        int lines;
    } const cases[] = {{"511 listed", 511}, {"600 lines in the file", 600}};
    Driver driver;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        file(numbered_lines(c.lines));
        Boxes.clear();
        HWND dialog = OpenModeless(m);
        ASSERT_NE(dialog, (HWND)NULL);
        if (c.lines < 512) {
            SetField(dialog, "X");
            Click(dialog, IDC_ADD);
            EXPECT_TRUE(Boxes.empty());
        }
        ASSERT_EQ(ListEntries(dialog).size(), 512u);
        SetField(dialog, "Y");
        Click(dialog, IDC_ADD);
        ASSERT_EQ(Boxes.size(), 1u);
        expect_box(Boxes[0], dialog, "Already at the 512 tag limit", "Stat Function Wizard", false);
        EXPECT_EQ(ListEntries(dialog).size(), 512u);
        EXPECT_EQ(FieldText(dialog), "Y") << "the field is neither read nor emptied";
        Click(dialog, IDOK);
        EXPECT_EQ(count_of(file_now(), "\r\n"), 512u);
        DestroyWindow(dialog);
    }
}

/* ---- Delete and Delete All ---- */

TEST_F(Editor, DeleteRemovesOnlyTheSelection)
{
    Driver driver;
    file("A\r\nB\r\nC\r\n");
    HWND dialog = OpenModeless(m);
    ASSERT_NE(dialog, (HWND)NULL);
    SetField(dialog, "typed");

    Click(dialog, IDC_DELETE);
    ASSERT_EQ(Boxes.size(), 1u);
    expect_box(Boxes[0], dialog, "No TagName Selected", "Stat Function Wizard", false);
    EXPECT_EQ(ListEntries(dialog), (Names{"A", "B", "C"}));

    SelectEntry(dialog, 1);
    Click(dialog, IDC_DELETE);
    EXPECT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(ListEntries(dialog), (Names{"A", "C"}));
    EXPECT_EQ(FieldText(dialog), "typed") << "Delete leaves the field alone";
    EXPECT_EQ(file_now(), "A\r\nB\r\nC\r\n");
    DestroyWindow(dialog);
}

TEST_F(Editor, DeleteAllAsksFirst)
{
    Driver driver;
    file("A\r\nB\r\n");
    HWND dialog = OpenModeless(m);
    ASSERT_NE(dialog, (HWND)NULL);

    AnswerBoxes({IDNO});
    Click(dialog, IDC_DELETEALL);
    ASSERT_EQ(Boxes.size(), 1u);
    expect_box(Boxes[0], dialog, "Really delete all tags?", "Stat Function Wizard", true);
    EXPECT_EQ(ListEntries(dialog), (Names{"A", "B"}));

    AnswerBoxes({IDYES});
    Click(dialog, IDC_DELETEALL);
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[1].answered, IDYES);
    EXPECT_EQ(ListEntries(dialog), Names{});
    EXPECT_EQ(file_now(), "A\r\nB\r\n") << "nothing is written before OK";

    Click(dialog, IDOK);
    EXPECT_EQ(file_now(), "");
    EXPECT_EQ(ReadBytes(d.path).size(), 0u);
    DestroyWindow(dialog);
}

/* ---- Cancel ---- */

TEST_F(Editor, CancelLeavesTheFile)
{
    struct {
        const char *what;
        void (*leave)(HWND);
    } const ways[] = {
        {"Cancel button", [](HWND w) { Click(w, IDCANCEL); }},
        {"Close command", [](HWND w) {
             SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
             Pump();
         }},
    };
    Driver driver;
    for (const auto &way : ways) {
        SCOPED_TRACE(way.what);
        file("B\nA\r\nA");
        sim.QXSimReset();
        HWND dialog = OpenModeless(m);
        ASSERT_NE(dialog, (HWND)NULL);
        SetField(dialog, "C");
        Click(dialog, IDC_ADD);
        SelectEntry(dialog, 0);
        Click(dialog, IDC_DELETE);
        way.leave(dialog);
        EXPECT_FALSE(EditorOpen(dialog));
        EXPECT_EQ(file_now(), "B\nA\r\nA");
        expect_no_stray_files();
        EXPECT_EQ(QxLog(), "Register(1004)\nUnregister(1004)\n");
        DestroyWindow(dialog);
    }
    EXPECT_TRUE(Boxes.empty());
}

/* ---- A save that cannot be made ---- */

TEST_F(Editor, FailedSaveChangesNothingAndStaysOpen)
{
    enum Obstacle { READ_ONLY, HELD_OPEN, NO_DIRECTORY };
    struct {
        const char *what;
        Obstacle obstacle;
    } const cases[] = {
        {"read-only file", READ_ONLY},
        {"file held open by another program, so it cannot be replaced", HELD_OPEN},
        {"directory that does not exist", NO_DIRECTORY},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        UnloadVelmok(&m);
        ASSERT_TRUE(LoadVelmok(&m));
        sim.VlxSimReset();
        sim.QXSimReset();
        std::string dir = c.obstacle == NO_DIRECTORY ? d.dir + "\\missing" : d.dir;
        std::string path = dir + "\\STATTAGS.CSV";
        SetAppDirectory(dir);
        file("B\r\nA\r\n");
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.obstacle != NO_DIRECTORY)
            go_live({"A", "B"});
        if (c.obstacle == READ_ONLY) {
            ASSERT_TRUE(SetFileAttributesA(d.path.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        if (c.obstacle == HELD_OPEN) {
            held = CreateFileA(d.path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        Driver driver;
        HWND dialog = OpenModeless(m);
        ASSERT_NE(dialog, (HWND)NULL);
        SetField(dialog, "C");
        Click(dialog, IDC_ADD);
        Names edited = ListEntries(dialog);

        Click(dialog, IDOK);
        ASSERT_EQ(Boxes.size(), 1u);
        expect_box(Boxes[0], dialog, "Unable To Open File", path, false);
        EXPECT_TRUE(EditorOpen(dialog)) << "the dialog stays open";
        EXPECT_EQ(ListEntries(dialog), edited) << "with the edited list";
        EXPECT_EQ(file_now(), "B\r\nA\r\n");
        expect_no_stray_files();
        EXPECT_EQ(GetFileAttributesA((d.dir + "\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(QxLog(), "Register(1004)\n") << "the field stays registered";
        EXPECT_EQ(sim.VlxSimCalls(VLX_SHUTDOWN), 0);
        if (c.obstacle == NO_DIRECTORY) {
            Click(dialog, IDCANCEL);
            EXPECT_FALSE(EditorOpen(dialog));
            EXPECT_EQ(Boxes.size(), 1u);
        } else {
            EXPECT_EQ(sim.VlxSimCalls(VLX_INIT), 1);
            EXPECT_EQ(m.StatSample("A"), 2) << "the statistics go on";
            /* Once the obstacle is gone, OK saves. */
            SetFileAttributesA(d.path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (held != INVALID_HANDLE_VALUE)
                CloseHandle(held);
            Click(dialog, IDOK);
            EXPECT_EQ(Boxes.size(), 1u);
            EXPECT_FALSE(EditorOpen(dialog));
            EXPECT_EQ(file_now(), "A\r\nB\r\nC\r\n");
            EXPECT_EQ(sim.VlxSimCalls(VLX_SHUTDOWN), 1);
        }
        expect_no_stray_files();
        DestroyWindow(dialog);
    }
}

/* ---- The dialog procedure's results ---- */

TEST_F(Editor, CommandResults)
{
    struct {
        const char *what;
        UINT message;
        WPARAM wparam;
        INT_PTR result;
    } const cases[] = {
        {"list selection report", WM_COMMAND, MAKEWPARAM(IDC_TAGLIST, LBN_SELCHANGE), FALSE},
        {"list double-click report", WM_COMMAND, MAKEWPARAM(IDC_TAGLIST, LBN_DBLCLK), FALSE},
        {"field change report", WM_COMMAND, MAKEWPARAM(IDC_TAGNAME, EN_CHANGE), FALSE},
        {"unknown command", WM_COMMAND, 9999, FALSE},
        {"Add, notification code ignored", WM_COMMAND, MAKEWPARAM(IDC_ADD, 0x1234), TRUE},
        {"Delete", WM_COMMAND, IDC_DELETE, TRUE},
        {"another message", WM_TIMER, 1, FALSE},
    };
    Driver driver;
    file("A\r\nB\r\n");
    HWND dialog = OpenModeless(m);
    ASSERT_NE(dialog, (HWND)NULL);
    SetField(dialog, "C");
    SelectEntry(dialog, 0);
    for (const auto &c : cases)
        EXPECT_EQ(m.StatCfgDlgProc(dialog, c.message, c.wparam, 0), c.result) << c.what;
    EXPECT_EQ(ListEntries(dialog), (Names{"B", "C"})) << "Add and Delete ran once each";
    EXPECT_TRUE(Boxes.empty());
    DestroyWindow(dialog);
}

/* ---- Centring ---- */

/* The rule: (screen - outer size) / 2, the remainder dropped toward
 * zero, so an odd difference gives the right or lower side the extra
 * pixel, on screen or overhanging it. */
int centred(int screen, int size)
{
    int diff = screen - size;
    return diff >= 0 ? diff / 2 : -(-diff / 2);
}

TEST_F(Editor, CentresByTheRule)
{
    HRSRC found = FindResourceA(m.dll, "STATCFGDLG", (LPCSTR)RT_DIALOG);
    ASSERT_NE(found, (HRSRC)NULL);
    DWORD size = SizeofResource(m.dll, found);
    const void *bytes = LockResource(LoadResource(m.dll, found));
    std::vector<DWORD> templ((size + 3) / 4);
    memcpy(templ.data(), bytes, size);
    short *cx = (short *)((char *)templ.data() + 14), *cy = cx + 1;

    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    bool odd_over_x = false, odd_over_y = false, odd_on_x = false, odd_on_y = false;
    Driver driver;
    for (int i = 0; i < 12; i++) {
        /* The template's own size, then sizes around and beyond the screen. */
        *cx = (short)(i == 0 ? 219 : i < 6 ? 300 + i : 2000 + i);
        *cy = (short)(i == 0 ? 203 : i < 6 ? 200 + i : 1500 + i);
        HWND dialog = CreateDialogIndirectParamA(m.dll, (LPCDLGTEMPLATEA)templ.data(), NULL, m.StatCfgDlgProc, 0);
        ASSERT_NE(dialog, (HWND)NULL);
        RECT r;
        GetWindowRect(dialog, &r);
        int w = r.right - r.left, h = r.bottom - r.top;
        EXPECT_EQ(r.left, centred(sw, w)) << "width " << w << " on " << sw;
        EXPECT_EQ(r.top, centred(sh, h)) << "height " << h << " on " << sh;
        odd_over_x |= w > sw && (w - sw) % 2;
        odd_over_y |= h > sh && (h - sh) % 2;
        odd_on_x |= w < sw && (sw - w) % 2;
        odd_on_y |= h < sh && (sh - h) % 2;
        DestroyWindow(dialog);
    }
    EXPECT_TRUE(odd_over_x && odd_over_y && odd_on_x && odd_on_y)
        << "the sizes tried miss an odd difference: " << odd_over_x << odd_over_y << odd_on_x << odd_on_y;
}

/* ---- Modal, through Wizard_DoCommand ---- */

TEST_F(Editor, ModalOkReloadsTheLiveStatistics)
{
    file("Tank1\r\nTank2\r\n");
    sim.VlxSimSetValue("Tank3", 3.0);
    go_live({"Tank1", "Tank2"});
    ASSERT_EQ(m.StatSample("Tank1"), 2);
    unsigned old = first_connection();
    sim.QXSimReset();
    sim.QXSimSetHook(toolkit_hook);

    struct {
        bool seen;
        RECT rect;
        int listed;
    } at_register = {};
    struct {
        bool seen, visible;
        std::string file;
        LONG shutdowns;
    } at_unregister = {};
    on_toolkit_call = [&](const std::string &line, HWND dialog) {
        if (line == "Register(1004)") {
            at_register.seen = true;
            GetWindowRect(dialog, &at_register.rect);
            at_register.listed = (int)SendDlgItemMessageA(dialog, IDC_TAGLIST, LB_GETCOUNT, 0, 0);
        } else if (line == "Unregister(1004)") {
            at_unregister.seen = true;
            at_unregister.visible = IsWindowVisible(dialog) != 0;
            at_unregister.file = ReadBytes(d.path);
            at_unregister.shutdowns = sim.VlxSimCalls(VLX_SHUTDOWN);
        }
    };

    RECT final_rect = {};
    Driver driver;
    LONG result = RunModal(m, [&](HWND dialog) {
        GetWindowRect(dialog, &final_rect);
        EXPECT_EQ(ListEntries(dialog), (Names{"Tank1", "Tank2"}));
        /* The editor leaves the table alone while it is open. */
        SelectEntry(dialog, 0);
        Click(dialog, IDC_DELETE);
        SetField(dialog, "Tank3");
        Click(dialog, IDC_ADD);
        EXPECT_EQ(m.StatSample("Tank1"), 3);
        EXPECT_EQ(m.StatGetSampleCount("Tank2", 0), 1);
        EXPECT_EQ(m.StatSample("Tank3"), -1);
        EXPECT_EQ(sim.VlxSimCalls(VLX_INIT), 1);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(DriverTimedOut());
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(file_now(), "Tank2\r\nTank3\r\n");
    expect_no_stray_files();

    /* Toolkit: initialised, then the field registered once the dialog
     * was centred and before the list was filled; unregistered after
     * the dialog was ended and the file saved, before the reload. */
    EXPECT_EQ(QxLog(), "QXKit_Init\nRegister(1004)\nUnregister(1004)\n");
    ASSERT_TRUE(at_register.seen);
    EXPECT_EQ(at_register.rect.left, final_rect.left);
    EXPECT_EQ(at_register.rect.top, final_rect.top);
    EXPECT_EQ(at_register.rect.left,
              centred(GetSystemMetrics(SM_CXSCREEN), final_rect.right - final_rect.left));
    EXPECT_EQ(at_register.listed, 0);
    ASSERT_TRUE(at_unregister.seen);
    EXPECT_FALSE(at_unregister.visible);
    EXPECT_EQ(at_unregister.file, "Tank2\r\nTank3\r\n");
    EXPECT_EQ(at_unregister.shutdowns, 0);

    /* Reload: one shutdown of the old connection, a new one, and every
     * statistic from zero, from the new file. */
    char shutdown[32];
    sprintf(shutdown, "VlxShutdown(%u)\n", old);
    EXPECT_EQ(sim.VlxSimCalls(VLX_SHUTDOWN), 1);
    EXPECT_EQ(count_of(VlxLog(), shutdown), 1u) << VlxLog();
    EXPECT_EQ(sim.VlxSimCalls(VLX_INIT), 2);
    EXPECT_EQ(m.StatGetSampleCount("Tank2", 0), 0);
    EXPECT_EQ(m.StatSample("Tank1"), -1);
    EXPECT_EQ(m.StatSample("Tank3"), 1);
    EXPECT_EQ(m.StatSample("Tank2"), 1);
    EXPECT_EQ(sim.VlxSimCalls(VLX_SHUTDOWN), 1);
}

TEST_F(Editor, ModalOkWithoutConnectionOnlyWrites)
{
    file("b\r\na\r\n");
    sim.VlxSimSetValue("a", 1.0);
    sim.VlxSimSetValue("c", 1.0);
    Driver driver;
    LONG result = RunModal(m, [&](HWND dialog) {
        SetField(dialog, "c");
        Click(dialog, IDC_ADD);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(DriverTimedOut());
    EXPECT_EQ(file_now(), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(sim.VlxSimCalls(VLX_INIT), 0);
    EXPECT_EQ(sim.VlxSimCalls(VLX_SHUTDOWN), 0);
    /* The next script call loads the new list. */
    EXPECT_EQ(m.StatSample("c"), 1);
    EXPECT_EQ(sim.VlxSimCalls(VLX_INIT), 1);
    EXPECT_EQ(sim.VlxSimCalls(VLX_SHUTDOWN), 0);
}

TEST_F(Editor, ModalCancelKeepsTheStatistics)
{
    file("Tank1\r\n");
    go_live({"Tank1"});
    Driver driver;
    for (int run = 0; run < 2; run++) {
        SCOPED_TRACE(run);
        sim.QXSimReset();
        LONG result = RunModal(m, [&](HWND dialog) {
            AnswerBoxes({IDYES});
            Click(dialog, IDC_DELETEALL);
            EXPECT_EQ(ListEntries(dialog), Names{});
            EXPECT_EQ(m.StatSample("Tank1"), 2 + run);
            Click(dialog, IDCANCEL);
        });
        EXPECT_EQ(result, 0);
        EXPECT_FALSE(DriverTimedOut());
        EXPECT_EQ(QxLog(), "QXKit_Init\nRegister(1004)\nUnregister(1004)\n");
    }
    EXPECT_EQ(file_now(), "Tank1\r\n");
    EXPECT_EQ(m.StatSample("Tank1"), 4) << "two samples from the timer, then this one";
    EXPECT_EQ(sim.VlxSimCalls(VLX_INIT), 1);
    EXPECT_EQ(sim.VlxSimCalls(VLX_SHUTDOWN), 0);
}

TEST_F(Editor, ModalFailedSaveStaysOpenUntilCancel)
{
    file("A\r\n");
    ASSERT_TRUE(SetFileAttributesA(d.path.c_str(), FILE_ATTRIBUTE_READONLY));
    Driver driver;
    bool still_open = false;
    LONG result = RunModal(m, [&](HWND dialog) {
        SetField(dialog, "B");
        Click(dialog, IDC_ADD);
        Click(dialog, IDOK);
        still_open = EditorOpen(dialog);
        EXPECT_EQ(ListEntries(dialog), (Names{"A", "B"}));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(DriverTimedOut());
    EXPECT_TRUE(still_open);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].text, "Unable To Open File");
    EXPECT_EQ(Boxes[0].caption, d.path);
    EXPECT_EQ(file_now(), "A\r\n");
    expect_no_stray_files();
}

} // namespace
