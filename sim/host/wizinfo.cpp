/* Paste templates, wizard library answers and the wizard run. */
#include <string.h>

#include "module.h"
#include "wizinfo.h"

typedef DWORD(WINAPI *PasteFn)(LPCSTR, LPSTR);
typedef LONG(WINAPI *LibInfoFn)(UINT, LONG, LPVOID);
typedef LONG(WINAPI *WizInfoFn)(LONG, UINT, LPVOID, LPVOID);
typedef LONG(WINAPI *DoCommandFn)(LONG);

template <typename T> static T entry(const Module *m, const char *name, std::string *error)
{
    FARPROC f = module_entry(m, name, error);
    T t = NULL;
    if (f)
        memcpy(&t, &f, sizeof t);
    return t;
}

/* The template with its selection marked: [selected] or | for a caret. */
static std::string marked(const char *text, DWORD selection)
{
    size_t n = strlen(text), start = selection & 0xFFFF, end = selection >> 16;
    if (start > end || end > n)
        return std::string(text) + "  (selection outside the text)";
    std::string t(text);
    if (start == end)
        return t.substr(0, start) + "|" + t.substr(start);
    return t.substr(0, start) + "[" + t.substr(start, end - start) + "]" + t.substr(end);
}

int show_paste(const Module *m, const std::vector<std::string> &asked, FILE *out, std::string *error)
{
    PasteFn paste = entry<PasteFn>(m, "MyPasteBuiltInFuncs", error);
    if (!paste)
        return -1;
    std::vector<std::string> names = asked;
    if (names.empty())
        for (int i = 0; i < FN_COUNT; i++)
            names.push_back(STAT_FUNCTIONS[i].name);
    size_t width = 2;
    for (size_t i = 0; i < names.size(); i++)
        width = names[i].size() > width ? names[i].size() : width;
    for (size_t i = 0; i < names.size(); i++) {
        /* Room for the name and the longest tail the module appends. */
        std::vector<char> buffer(names[i].size() + 64, 0);
        DWORD sel = paste(names[i].c_str(), &buffer[0]);
        std::string shown = sel ? marked(&buffer[0], sel) : std::string(&buffer[0]);
        char how[64];
        if (sel == 0)
            snprintf(how, sizeof how, "no template (0)");
        else if ((sel & 0xFFFF) == (sel >> 16))
            snprintf(how, sizeof how, "caret at %lu (0x%08lX)", sel & 0xFFFFul, (unsigned long)sel);
        else
            snprintf(how, sizeof how, "selects %lu to %lu (0x%08lX)", sel & 0xFFFFul, (unsigned long)(sel >> 16),
                     (unsigned long)sel);
        fprintf(out, "%-*s  %-44s %s\n", (int)width, names[i].empty() ? "\"\"" : names[i].c_str(), shown.c_str(),
                how);
    }
    return 0;
}

#define UNTOUCHED 0x5A

static void print_answer(FILE *out, const char *label, LONG result, const unsigned char *buffer, int kind)
{
    if (result == 0) {
        int touched = 0;
        for (int i = 0; i < 256; i++)
            touched |= buffer[i] != UNTOUCHED;
        fprintf(out, "  %-22s not answered (0)%s\n", label, touched ? ", but the output was written" : "");
        return;
    }
    if (kind == 's') {
        fprintf(out, "  %-22s \"%.*s\"\n", label, (int)strnlen((const char *)buffer, 255), (const char *)buffer);
    } else if (kind == 'l') {
        LONG v;
        memcpy(&v, buffer, sizeof v);
        fprintf(out, "  %-22s %ld\n", label, (long)v);
    } else {
        HBITMAP h;
        BITMAP bm;
        memcpy(&h, buffer, sizeof h);
        if (h && GetObjectA(h, sizeof bm, &bm) == sizeof bm)
            fprintf(out, "  %-22s bitmap %ld x %ld\n", label, (long)bm.bmWidth, (long)bm.bmHeight);
        else
            fprintf(out, "  %-22s no bitmap\n", label);
        if (h)
            DeleteObject(h);
    }
}

int show_wizard_info(const Module *m, FILE *out, std::string *error)
{
    static const struct { UINT code; LONG argument; int kind; const char *label; } lib[] = {
        {1, 0, 's', "code 1"}, {2, 0, 'l', "code 2"}, {3, 0, 's', "code 3"}, {4, 0, 's', "code 4"},
        {5, 0, 'l', "code 5, argument 0"}, {5, 1, 'l', "code 5, argument 1"}, {6, 0, 'l', "code 6"},
    };
    /* third: 0 or 1 as the value itself for code 5, as the integer it
     * points to for code 7. */
    static const struct { UINT code; int third; int kind; const char *label; } wiz[] = {
        {1, 0, 's', "code 1"}, {2, 0, 'l', "code 2"}, {3, 0, 'l', "code 3"}, {4, 0, 'l', "code 4"},
        {5, 1, 's', "code 5, third 1"}, {5, 0, 's', "code 5, third 0"}, {6, 0, 'b', "code 6"},
        {7, 1, 'b', "code 7, *third 1"}, {7, 0, 'b', "code 7, *third 0"}, {8, 0, 'l', "code 8"},
    };
    LibInfoFn lib_info = entry<LibInfoFn>(m, "WizardLib_GetInfo", error);
    WizInfoFn wiz_info = lib_info ? entry<WizInfoFn>(m, "Wizard_GetInfo", error) : NULL;
    if (!wiz_info)
        return -1;
    unsigned char buffer[256];
    fprintf(out, "WizardLib_GetInfo\n");
    for (size_t i = 0; i < sizeof lib / sizeof lib[0]; i++) {
        memset(buffer, UNTOUCHED, sizeof buffer);
        LONG r = lib_info(lib[i].code, lib[i].argument, buffer);
        print_answer(out, lib[i].label, r, buffer, lib[i].kind);
    }
    fprintf(out, "Wizard_GetInfo, wizard 1\n");
    for (size_t i = 0; i < sizeof wiz / sizeof wiz[0]; i++) {
        INT32 pointed = wiz[i].third;
        LPVOID third = wiz[i].code == 7 ? (LPVOID)&pointed : (LPVOID)(INT_PTR)wiz[i].third;
        memset(buffer, UNTOUCHED, sizeof buffer);
        LONG r = wiz_info(1, wiz[i].code, third, buffer);
        print_answer(out, wiz[i].label, r, buffer, wiz[i].kind);
    }
    return 0;
}

/* The host's own hand on the editor, for runs without a user. */
static FILE *wizard_out;
static int editor_seen;

static BOOL CALLBACK find_dialog(HWND window, LPARAM found)
{
    char cls[16];
    if (IsWindowVisible(window) && GetClassNameA(window, cls, sizeof cls) && strcmp(cls, "#32770") == 0) {
        *(HWND *)found = window;
        return FALSE;
    }
    return TRUE;
}

static void CALLBACK cancel_editor(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), find_dialog, (LPARAM)&dialog);
    if (!dialog || editor_seen)
        return;
    editor_seen = 1;
    KillTimer(NULL, timer);
    char caption[128];
    GetWindowTextA(dialog, caption, sizeof caption);
    LRESULT n = SendDlgItemMessageA(dialog, 1000, LB_GETCOUNT, 0, 0);
    fprintf(wizard_out, "editor \"%s\" open, %ld entr%s in its list\n", caption, (long)n, n == 1 ? "y" : "ies");
    for (LRESULT i = 0; i < n; i++) {
        char text[512];
        if (SendDlgItemMessageA(dialog, 1000, LB_GETTEXTLEN, (WPARAM)i, 0) < (LRESULT)sizeof text &&
            SendDlgItemMessageA(dialog, 1000, LB_GETTEXT, (WPARAM)i, (LPARAM)text) >= 0)
            fprintf(wizard_out, "  %s\n", text);
    }
    fprintf(wizard_out, "pressing Cancel\n");
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

int run_wizard(const Module *m, int cancel_after_ms, FILE *out, std::string *error)
{
    DoCommandFn command = entry<DoCommandFn>(m, "Wizard_DoCommand", error);
    if (!command)
        return -1;
    wizard_out = out;
    editor_seen = 0;
    if (cancel_after_ms > 0 && !SetTimer(NULL, 0, (UINT)cancel_after_ms, cancel_editor)) {
        *error = "cannot start the timer that closes the editor";
        return -1;
    }
    LONG r = command(0);
    fprintf(out, "Wizard_DoCommand(0) = %ld\n", (long)r);
    if (cancel_after_ms > 0 && !editor_seen) {
        *error = "the wizard did not show the editor";
        return -1;
    }
    return 0;
}
