/* What the wizard tests share: the module loaded afresh for each test,
 * the two stand-ins' control entries, a tag list directory named by the
 * profile, and a driver for the editor dialog that catches and answers
 * the message boxes it shows. Everything runs on the test's one thread,
 * as the host runs the module. */
#ifndef VELMOK_TESTS_WIZARD_HARNESS_H
#define VELMOK_TESTS_WIZARD_HARNESS_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "sim/qxkit/qxkit_sim.h"

#define EDITOR_CAPTION "Statistical Tag List Assignment"

/* The module's entries the tests call, from a fresh load. */
struct Velmok {
    HMODULE dll;
    LONG(WINAPI *Wizard_DoCommand)(LONG);
    LONG(WINAPI *Wizard_GetInfo)(LONG, UINT, LPVOID, LPVOID);
    LONG(WINAPI *WizardLib_GetInfo)(UINT, LONG, LPVOID);
    DLGPROC StatCfgDlgProc;
    LONG(WINAPI *StatSample)(LPCSTR);
    LONG(WINAPI *StatGetSampleCount)(LPCSTR, LONG);
};

/* Load VELMOK.dll, which must not be loaded yet, so its table and
 * connection start empty. Gives false when it cannot. */
bool LoadVelmok(Velmok *m);
void UnloadVelmok(Velmok *m);

/* Control entries of VLX.dll and qxkit.dll, loaded once for the run. */
struct Sims {
    void(WINAPI *VlxSimReset)(void);
    LONG(WINAPI *VlxSimSetValue)(const char *, double);
    LONG(WINAPI *VlxSimCalls)(LONG);
    LONG(WINAPI *VlxSimLog)(char *, LONG);
    void(WINAPI *QXSimReset)(void);
    LONG(WINAPI *QXSimLog)(char *, LONG);
    void(WINAPI *QXSimSetHook)(QXSimHook);
};
extern Sims sim;
bool LoadSims(void);
std::string VlxLog(void);
std::string QxLog(void);
enum { VLX_INIT, VLX_ACTIVATE, VLX_READ, VLX_SHUTDOWN };

/* A fresh directory that the profile names as the host's application
 * directory; the tag list file is path. */
struct TagDir {
    std::string dir;
    std::string path;
};
TagDir MakeTagDir(void);
void RemoveTagDir(const TagDir &d);
/* Point the profile at a directory (which need not exist). */
void SetAppDirectory(const std::string &dir);
void WriteBytes(const std::string &path, const std::string &bytes);
/* The file's bytes; "<missing>" when it cannot be read. */
std::string ReadBytes(const std::string &path);
/* Names of the files in a directory, sorted. */
std::vector<std::string> FilesIn(const std::string &dir);

/* A message box as it was seen, before it was answered. */
struct SeenBox {
    HWND owner;
    std::string text, caption;
    std::vector<int> buttons; /* visible buttons, in creation order */
    int default_button; /* the one drawn as the default */
    HICON icon;
    int answered; /* the button pressed */
};
extern std::vector<SeenBox> Boxes;
/* The buttons to press on the next boxes, in order; once they are used
 * up, OK (or else the first button) is pressed. */
void AnswerBoxes(std::vector<int> buttons);

/* While alive, a thread timer runs that answers message boxes and the
 * scenario of RunModal; it also clears Boxes. */
struct Driver {
    Driver();
    ~Driver();
};

/* The editor as a modeless dialog from the module's template and its
 * procedure. */
HWND OpenModeless(const Velmok &m);
/* Wizard_DoCommand, with scenario called from the timer once the
 * editor is showing; the scenario ends it by pressing OK or Cancel.
 * Gives Wizard_DoCommand's result. */
LONG RunModal(const Velmok &m, std::function<void(HWND)> scenario);
/* True when the watchdog had to end a dialog that hung. */
bool DriverTimedOut(void);

std::vector<std::string> ListEntries(HWND dialog);
std::string FieldText(HWND dialog);
void SetField(HWND dialog, const std::string &text);
void SelectEntry(HWND dialog, int index);
/* Press a button of the dialog as a click does. */
void Click(HWND dialog, int id);
/* Handle the messages waiting for this thread. */
void Pump(void);
/* The editor is still open: not ended, still shown. */
bool EditorOpen(HWND dialog);

#endif
