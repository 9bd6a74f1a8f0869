/* The tag list editor's dialog procedure. The list box is the working
 * copy of the tag list while the dialog is open; OK writes it back whole
 * and, when the statistics are live, has them reloaded from the new
 * file. The editor reads and writes nothing of the statistics table
 * itself: the reload does that. */
#include <windows.h>

#include "../host/qxkit.h"
#include "../plat/plat.h"
#include "../stat/loader.h"
#include "../stat/tagfile.h"
#include "resource.h"
#include "wizard.h"

#define MESSAGE_CAPTION "Stat Function Wizard"
#define MESSAGE_TYPE (MB_OK | MB_ICONINFORMATION)

/* The field is read with room for 31 characters and the terminator,
 * one fewer than a tag name may have. */
static char TagNameBuffer[STAT_TAGNAME_MAX];

/* The whole new file: at most 512 names of at most 32 characters, each
 * followed by CR LF. */
#define SAVE_LINE_MAX (STAT_TAGNAME_MAX + 2)
static char SaveBuffer[STAT_MAX_TAGS * SAVE_LINE_MAX];

static TagFileReader FillReader;

static LRESULT list_send(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    return SendDlgItemMessageA(dialog, IDC_TAGLIST, message, wparam, lparam);
}

static void inform(HWND dialog, const char *text)
{
    MessageBoxA(dialog, text, MESSAGE_CAPTION, MESSAGE_TYPE);
}

/* Centre the dialog's outer rectangle on the screen. The division drops
 * the remainder toward zero, so a dialog larger than the screen
 * overhangs it on both sides, and an odd difference gives the right
 * (or lower) side the extra pixel. */
static void centre(HWND dialog)
{
    RECT r;
    GetWindowRect(dialog, &r);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    MoveWindow(dialog, left, top, width, height, FALSE);
}

/* List the file's lines, the first 512 of them; the list sorts them. A
 * file that cannot be opened gives an empty list. Lines too long for a
 * tag name are skipped by the reader. */
static void fill(HWND dialog)
{
    int count = 0;
    if (TagFileOpen(&FillReader, StatPathBuffer) != 0)
        return;
    while (count < STAT_MAX_TAGS && TagFileNextLine(&FillReader, StatLineBuffer)) {
        list_send(dialog, LB_ADDSTRING, 0, (LPARAM)StatLineBuffer);
        count++;
    }
    TagFileClose(&FillReader);
}

/* Write the list, in its order, as the new tag list file: every name
 * followed by CR LF, an empty list giving an empty file. The file is
 * replaced whole or not at all. Gives 0, or -1 when it could not be. */
static int save(HWND dialog)
{
    size_t size = 0;
    int count = (int)list_send(dialog, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        int len = (int)list_send(dialog, LB_GETTEXTLEN, (WPARAM)i, 0);
        /* The editor lists no longer name; one put there by other means
         * would not fit the file's format and is left out. */
        if (len < 0 || len > STAT_TAGNAME_MAX || size + (size_t)len + 2 > sizeof SaveBuffer)
            continue;
        list_send(dialog, LB_GETTEXT, (WPARAM)i, (LPARAM)(SaveBuffer + size));
        size += (size_t)len;
        SaveBuffer[size++] = '\r';
        SaveBuffer[size++] = '\n';
    }
    return plat_replace_file(StatPathBuffer, SaveBuffer, size);
}

static void on_init(HWND dialog)
{
    centre(dialog);
    QXDlg_RegisterTagNameCtrl(dialog, IDC_TAGNAME);
    StatTagListPath(); /* kept in StatPathBuffer for the save */
    fill(dialog);
}

static void on_ok(HWND dialog)
{
    /* A failed save changes nothing and keeps the dialog open with the
     * edited list, so the user can try again or cancel. */
    if (save(dialog) != 0) {
        MessageBoxA(dialog, "Unable To Open File", StatPathBuffer, MESSAGE_TYPE);
        return;
    }
    EndDialog(dialog, 0);
    QXDlg_UnregisterTagNameCtrl(dialog, IDC_TAGNAME);
    StatReload();
}

static void on_cancel(HWND dialog)
{
    EndDialog(dialog, 0);
    QXDlg_UnregisterTagNameCtrl(dialog, IDC_TAGNAME);
}

static void on_add(HWND dialog)
{
    if (list_send(dialog, LB_GETCOUNT, 0, 0) >= STAT_MAX_TAGS) {
        inform(dialog, "Already at the 512 tag limit");
        return;
    }
    GetDlgItemTextA(dialog, IDC_TAGNAME, TagNameBuffer, sizeof TagNameBuffer);
    if (TagNameBuffer[0] == 0)
        return;
    /* Whole names only, ignoring case: Tank1 is a new name beside Tank10. */
    if (list_send(dialog, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)TagNameBuffer) == LB_ERR)
        list_send(dialog, LB_ADDSTRING, 0, (LPARAM)TagNameBuffer);
    else
        inform(dialog, "TagName Already Exists");
    TagNameBuffer[0] = 0;
    SetDlgItemTextA(dialog, IDC_TAGNAME, "");
}

static void on_delete(HWND dialog)
{
    LRESULT selected = list_send(dialog, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        inform(dialog, "No TagName Selected");
    else
        list_send(dialog, LB_DELETESTRING, (WPARAM)selected, 0);
}

static void on_delete_all(HWND dialog)
{
    if (MessageBoxA(dialog, "Really delete all tags?", MESSAGE_CAPTION, MB_YESNO | MB_ICONQUESTION) == IDYES)
        list_send(dialog, LB_RESETCONTENT, 0, 0);
}

INT_PTR CALLBACK StatCfgDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    (void)lparam;
    if (message == WM_INITDIALOG) {
        on_init(dialog);
        return FALSE; /* no default focus */
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wparam)) {
    case IDOK:
        on_ok(dialog);
        return TRUE;
    case IDCANCEL:
        on_cancel(dialog);
        return TRUE;
    case IDC_ADD:
        on_add(dialog);
        return TRUE;
    case IDC_DELETE:
        on_delete(dialog);
        return TRUE;
    case IDC_DELETEALL:
        on_delete_all(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}
