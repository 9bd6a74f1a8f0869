/* The wizard library: texts, values and bitmaps for the host's wizard
 * framework, and the command that runs the one wizard, STATWIZ. */
#include <windows.h>

#include "../exports/module.h"
#include "../host/qxkit.h"
#include "wizard.h"

#define LIBRARY_TITLE "Statistical Functions Wizard Library"

/* Indexed by wizard number; only wizard 1 has a name. */
static const char *const wizard_names[] = {NULL, "STATWIZ"};
#define WIZARD_COUNT ((LONG)(sizeof wizard_names / sizeof wizard_names[0]))

static HINSTANCE instance(void)
{
    return (HINSTANCE)VelmokInstance;
}

LONG WINAPI WizardLib_GetInfo(UINT code, LONG argument, LPVOID output)
{
    switch (code & 0xFFFF) {
    case 1:
        lstrcpyA((LPSTR)output, "UnSupported Wizard");
        return 1;
    case 2:
        *(LONG *)output = 0;
        return 1;
    case 3:
        lstrcpyA((LPSTR)output, "Version 1.0");
        return 1;
    case 4:
        lstrcpyA((LPSTR)output, LIBRARY_TITLE);
        return 1;
    case 5:
        *(LONG *)output = argument == 0 ? 1 : 0;
        return 1;
    default:
        return 0;
    }
}

static HBITMAP load_bitmap(LONG wizard, const char *format)
{
    char name[32];
    wsprintfA(name, format, wizard_names[wizard]);
    return LoadBitmapA(instance(), name);
}

LONG WINAPI Wizard_GetInfo(LONG wizard, UINT code, LPVOID third, LPVOID output)
{
    UINT c = code & 0xFFFF;
    /* Codes 5 to 7 name a wizard; only those in the table are answered. */
    if (c >= 5 && c <= 7 && (wizard < 1 || wizard >= WIZARD_COUNT))
        return 0;
    switch (c) {
    case 1:
        lstrcpyA((LPSTR)output, LIBRARY_TITLE);
        return 1;
    case 3:
        *(LONG *)output = 4;
        return 1;
    case 4:
        *(LONG *)output = 0;
        return 1;
    case 5:
        LoadStringA(instance(), (UINT)(third ? 2 * wizard - 1 : 2 * wizard), (LPSTR)output, 80);
        return 1;
    case 6:
        *(HBITMAP *)output = load_bitmap(wizard, "%sMBMP");
        return 1;
    case 7:
        *(HBITMAP *)output = load_bitmap(wizard, *(const INT32 *)third ? "%sPBMP" : "%sTBMP");
        return 1;
    default:
        return 0;
    }
}

LONG WINAPI Wizard_DoCommand(LONG argument)
{
    (void)argument;
    QXKit_Init();
    DialogBoxParamA(instance(), "STATCFGDLG", NULL, StatCfgDlgProc, 0);
    return 0;
}
