/* Wizard library entries and the tag list editor's dialog procedure. */
#ifndef VELMOK_WIZARD_H
#define VELMOK_WIZARD_H

#include <windows.h>

extern "C" LONG WINAPI Wizard_DoCommand(LONG argument);
extern "C" LONG WINAPI Wizard_GetInfo(LONG wizard, UINT code, LPVOID third, LPVOID output);
extern "C" LONG WINAPI WizardLib_GetInfo(UINT code, LONG argument, LPVOID output);
extern "C" INT_PTR CALLBACK StatCfgDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

#endif
