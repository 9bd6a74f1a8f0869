/* Test harness for the wizard: module loading, tag list directories and
 * a timer-driven dialog driver that answers message boxes. */
#include "harness.h"

#include <algorithm>

Sims sim;
std::vector<SeenBox> Boxes;

static std::vector<int> answers;
static std::function<void(HWND)> scenario;
static bool scenario_running;
static DWORD driver_started;
static bool timed_out;
static UINT_PTR timer_id;

#define WATCHDOG_MS 30000

template <typename T> static bool get(HMODULE m, const char *name, T *out)
{
    *out = (T)(void *)GetProcAddress(m, name);
    return *out != NULL;
}

bool LoadVelmok(Velmok *m)
{
    if (GetModuleHandleA("VELMOK.dll"))
        return false;
    m->dll = LoadLibraryA("VELMOK.dll");
    if (!m->dll)
        return false;
    return get(m->dll, "Wizard_DoCommand", &m->Wizard_DoCommand) &&
           get(m->dll, "Wizard_GetInfo", &m->Wizard_GetInfo) &&
           get(m->dll, "WizardLib_GetInfo", &m->WizardLib_GetInfo) &&
           get(m->dll, "StatCfgDlgProc", &m->StatCfgDlgProc) &&
           get(m->dll, "StatSample", &m->StatSample) &&
           get(m->dll, "StatGetSampleCount", &m->StatGetSampleCount);
}

void UnloadVelmok(Velmok *m)
{
    if (m->dll)
        while (FreeLibrary(m->dll) && GetModuleHandleA("VELMOK.dll"))
            ;
    m->dll = NULL;
}

bool LoadSims(void)
{
    HMODULE vlx = LoadLibraryA("VLX.dll"), qx = LoadLibraryA("qxkit.dll");
    return vlx && qx && get(vlx, "VlxSimReset", &sim.VlxSimReset) &&
           get(vlx, "VlxSimSetValue", &sim.VlxSimSetValue) && get(vlx, "VlxSimCalls", &sim.VlxSimCalls) &&
           get(vlx, "VlxSimLog", &sim.VlxSimLog) && get(qx, "QXSimReset", &sim.QXSimReset) &&
           get(qx, "QXSimLog", &sim.QXSimLog) && get(qx, "QXSimSetHook", &sim.QXSimSetHook);
}

static std::string read_log(LONG(WINAPI *log)(char *, LONG))
{
    LONG n = log(NULL, 0);
    std::string s((size_t)n + 1, '\0');
    log(&s[0], n + 1);
    s.resize((size_t)n);
    return s;
}

std::string VlxLog(void)
{
    return read_log(sim.VlxSimLog);
}

std::string QxLog(void)
{
    return read_log(sim.QXSimLog);
}

void SetAppDirectory(const std::string &dir)
{
    WriteProfileStringA("Kelvane", "ApplicationDirectory", dir.c_str());
}

TagDir MakeTagDir(void)
{
    static int serial;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string base = std::string(temp) + "velmok-wizard-tests";
    CreateDirectoryA(base.c_str(), NULL);
    TagDir d;
    d.dir = base + "\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    CreateDirectoryA(d.dir.c_str(), NULL);
    d.path = d.dir + "\\STATTAGS.CSV";
    SetAppDirectory(d.dir);
    return d;
}

void RemoveTagDir(const TagDir &d)
{
    for (const std::string &name : FilesIn(d.dir)) {
        std::string p = d.dir + "\\" + name;
        SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(p.c_str());
    }
    RemoveDirectoryA(d.dir.c_str());
}

void WriteBytes(const std::string &path, const std::string &bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD put = 0;
    if (h != INVALID_HANDLE_VALUE) {
        WriteFile(h, bytes.data(), (DWORD)bytes.size(), &put, NULL);
        CloseHandle(h);
    }
}

std::string ReadBytes(const std::string &path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string s;
    char buf[4096];
    DWORD got;
    while (ReadFile(h, buf, sizeof buf, &got, NULL) && got > 0)
        s.append(buf, got);
    CloseHandle(h);
    return s;
}

std::vector<std::string> FilesIn(const std::string &dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

void AnswerBoxes(std::vector<int> buttons)
{
    answers = buttons;
}

static std::string window_text(HWND w)
{
    char buf[1024];
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

static std::string class_of(HWND w)
{
    char buf[64];
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

static BOOL CALLBACK find_dialog(HWND w, LPARAM lparam)
{
    std::vector<HWND> *found = (std::vector<HWND> *)lparam;
    if (IsWindowVisible(w) && class_of(w) == "#32770")
        found->push_back(w);
    return TRUE;
}

static std::vector<HWND> visible_dialogs(void)
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), find_dialog, (LPARAM)&found);
    return found;
}

static HWND find_editor(void)
{
    for (HWND w : visible_dialogs())
        if (window_text(w) == EDITOR_CAPTION)
            return w;
    return NULL;
}

static HWND find_box(void)
{
    for (HWND w : visible_dialogs())
        if (window_text(w) != EDITOR_CAPTION)
            return w;
    return NULL;
}

/* Read the box as a user sees it, then press a button. */
static void answer_box(HWND box)
{
    SeenBox seen = {};
    seen.owner = GetWindow(box, GW_OWNER);
    seen.caption = window_text(box);
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c))
            continue;
        std::string cls = class_of(c);
        LONG style = GetWindowLongA(c, GWL_STYLE);
        if (cls == "Button") {
            seen.buttons.push_back(GetDlgCtrlID(c));
            if (SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
                seen.default_button = GetDlgCtrlID(c);
        }
        else if (cls == "Static" && (style & SS_TYPEMASK) == SS_ICON)
            seen.icon = (HICON)SendMessageA(c, STM_GETICON, 0, 0);
        else if (cls == "Static" && !window_text(c).empty())
            seen.text = window_text(c);
    }

    int press = 0;
    if (!answers.empty()) {
        press = answers.front();
        answers.erase(answers.begin());
    } else if (std::find(seen.buttons.begin(), seen.buttons.end(), IDOK) != seen.buttons.end()) {
        press = IDOK;
    } else if (!seen.buttons.empty()) {
        press = seen.buttons.front();
    }
    seen.answered = press;
    Boxes.push_back(seen);
    HWND button = GetDlgItem(box, press);
    if (button)
        SendMessageA(button, BM_CLICK, 0, 0);
    else
        EndDialog(box, press); /* no such button: the test reports it */
}

static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = find_box();
    if (box) {
        answer_box(box);
        return;
    }
    if (GetTickCount() - driver_started > WATCHDOG_MS) {
        HWND editor = find_editor();
        if (editor) {
            timed_out = true;
            EndDialog(editor, 0);
        }
        return;
    }
    if (scenario && !scenario_running) {
        HWND editor = find_editor();
        if (!editor)
            return;
        scenario_running = true;
        std::function<void(HWND)> run = scenario;
        scenario = nullptr;
        run(editor);
        scenario_running = false;
    }
}

Driver::Driver()
{
    Boxes.clear();
    answers.clear();
    scenario = nullptr;
    scenario_running = false;
    timed_out = false;
    driver_started = GetTickCount();
    timer_id = SetTimer(NULL, 0, 10, tick);
}

Driver::~Driver()
{
    KillTimer(NULL, timer_id);
    MSG msg;
    while (PeekMessageA(&msg, NULL, WM_TIMER, WM_TIMER, PM_REMOVE))
        ;
}

bool DriverTimedOut(void)
{
    return timed_out;
}

HWND OpenModeless(const Velmok &m)
{
    return CreateDialogParamA(m.dll, "STATCFGDLG", NULL, m.StatCfgDlgProc, 0);
}

LONG RunModal(const Velmok &m, std::function<void(HWND)> run)
{
    scenario = run;
    driver_started = GetTickCount();
    LONG result = m.Wizard_DoCommand(0);
    scenario = nullptr;
    return result;
}

std::vector<std::string> ListEntries(HWND dialog)
{
    std::vector<std::string> entries;
    int n = (int)SendDlgItemMessageA(dialog, 1000, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
        int len = (int)SendDlgItemMessageA(dialog, 1000, LB_GETTEXTLEN, (WPARAM)i, 0);
        std::string s((size_t)len + 1, '\0');
        SendDlgItemMessageA(dialog, 1000, LB_GETTEXT, (WPARAM)i, (LPARAM)&s[0]);
        s.resize((size_t)len);
        entries.push_back(s);
    }
    return entries;
}

std::string FieldText(HWND dialog)
{
    char buf[256];
    GetDlgItemTextA(dialog, 1004, buf, sizeof buf);
    return buf;
}

void SetField(HWND dialog, const std::string &text)
{
    SetDlgItemTextA(dialog, 1004, text.c_str());
}

void SelectEntry(HWND dialog, int index)
{
    SendDlgItemMessageA(dialog, 1000, LB_SETCURSEL, (WPARAM)index, 0);
}

void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Pump(void)
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool EditorOpen(HWND dialog)
{
    return IsWindow(dialog) && IsWindowVisible(dialog);
}
