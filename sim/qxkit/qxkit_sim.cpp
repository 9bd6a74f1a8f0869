/* Wizard toolkit stand-in: accepts any number of initialisations, leaves
 * the registered tag-name field an ordinary edit field, and logs calls. */
#include <windows.h>

#include "../../host/qxkit.h"
#include "qxkit_sim.h"

static char log_text[8192];
static int log_len;
static QXSimHook hook;

static void log_line(const char *line, HWND dialog)
{
    int n = lstrlenA(line);
    if (log_len + n + 2 < (int)sizeof log_text) {
        lstrcpyA(log_text + log_len, line);
        log_len += n;
        log_text[log_len++] = '\n';
        log_text[log_len] = 0;
    }
    if (hook)
        hook(line, dialog);
}

static void log_control_call(const char *name, HWND dialog, int controlId)
{
    char line[64];
    wsprintfA(line, "%s(%d)%s", name, controlId, GetDlgItem(dialog, controlId) ? "" : " no control");
    log_line(line, dialog);
}

BOOL WINAPI QXKit_Init(void)
{
    log_line("QXKit_Init", NULL);
    return TRUE;
}

BOOL WINAPI QXDlg_RegisterTagNameCtrl(HWND dialog, int controlId)
{
    log_control_call("Register", dialog, controlId);
    return TRUE;
}

BOOL WINAPI QXDlg_UnregisterTagNameCtrl(HWND dialog, int controlId)
{
    log_control_call("Unregister", dialog, controlId);
    return TRUE;
}

void WINAPI QXSimReset(void)
{
    log_len = 0;
    log_text[0] = 0;
    hook = NULL;
}

LONG WINAPI QXSimLog(char *buffer, LONG size)
{
    if (buffer && size > 0) {
        int n = log_len < size - 1 ? log_len : size - 1;
        CopyMemory(buffer, log_text, n);
        buffer[n] = 0;
    }
    return log_len;
}

void WINAPI QXSimSetHook(QXSimHook new_hook)
{
    hook = new_hook;
}
