/* Opens the tag list editor with a few tags listed, for a picture of it:
 *   show_editor DIR READY
 * makes DIR the application directory with a small tag list file, shows
 * the editor as the wizard does, with one entry selected and a name
 * typed, writes the dialog's screen rectangle "left top width height"
 * to READY, and closes the editor once READY.done exists (or after a
 * minute). */
#include <windows.h>

#include <stdio.h>

static const char TAGS[] = "Tank1 Level\r\nPump7 Speed\r\nBoiler Pressure\r\nFeed Flow\r\n"
                           "Tank2 Level\r\nCondenser Temp\r\nStack O2\r\n";

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: show_editor DIR READY\n");
        return 2;
    }
    char path[MAX_PATH + 16];
    CreateDirectoryA(argv[1], NULL);
    WriteProfileStringA("Kelvane", "ApplicationDirectory", argv[1]);
    wsprintfA(path, "%s\\STATTAGS.CSV", argv[1]);
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD put;
    if (h == INVALID_HANDLE_VALUE || !WriteFile(h, TAGS, sizeof TAGS - 1, &put, NULL))
        return 1;
    CloseHandle(h);

    HMODULE module = LoadLibraryA("VELMOK.dll");
    DLGPROC proc = module ? (DLGPROC)(void *)GetProcAddress(module, "StatCfgDlgProc") : NULL;
    if (!proc)
        return 1;
    HWND dialog = CreateDialogParamA(module, "STATCFGDLG", NULL, proc, 0);
    if (!dialog)
        return 1;
    SendDlgItemMessageA(dialog, 1000, LB_SETCURSEL, 4, 0);
    SetDlgItemTextA(dialog, 1004, "Feedwater Valve");
    SetForegroundWindow(dialog);

    RECT r;
    GetWindowRect(dialog, &r);
    FILE *ready = fopen(argv[2], "w");
    if (!ready)
        return 1;
    fprintf(ready, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    fclose(ready);

    char done[MAX_PATH + 16];
    wsprintfA(done, "%s.done", argv[2]);
    DWORD start = GetTickCount();
    while (GetFileAttributesA(done) == INVALID_FILE_ATTRIBUTES && GetTickCount() - start < 60000) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
    }
    DestroyWindow(dialog);
    return 0;
}
