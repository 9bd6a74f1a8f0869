"""On 32-bit x86 every export of VELMOK.dll and of its stand-ins is
__stdcall with the argument size its signature gives: the export table
shows only the plain names, so this reads the linker's symbol table,
where the code at each exported address is named _Name@bytes. A cdecl
function would carry no @bytes and leave the host's stack unbalanced.
x86-64 has one calling convention and nothing to check.

    check_callconv.py <path to VELMOK.dll> <i686|x86_64>
"""
import os

import pefile

import pecheck

# Bytes of arguments each export pops on 32-bit x86.
ARGUMENT_BYTES = {
    "VELMOK.dll": {
        "DllMain": 12, "QXDllInit": 0, "QXDllFree": 0,
        "Wizard_DoCommand": 4, "Wizard_GetInfo": 16, "WizardLib_GetInfo": 12,
        "StatCfgDlgProc": 16, "MyPasteBuiltInFuncs": 8,
        "StatSample": 4, "StatSampleAll": 0, "StatReset": 4, "StatResetAll": 0,
        "StatGetAverage": 8, "StatGetMin": 8, "StatGetMax": 8, "StatGetStdDev": 8,
        "StatGetSampleCount": 8, "StatGetSumXSquared": 8,
    },
    # The stand-ins: the host's functions and the control entries the
    # module tests call through GetProcAddress.
    "VLX.dll": {"VlxInit": 8, "VlxActivate": 8, "VlxReadA": 8, "VlxShutdown": 4,
                "VlxSimReset": 0, "VlxSimSetValue": 12, "VlxSimRemove": 4,
                "VlxSimFailInit": 4, "VlxSimCalls": 4, "VlxSimLog": 8},
    "qxkit.dll": {"QXKit_Init": 0, "QXDlg_RegisterTagNameCtrl": 8,
                  "QXDlg_UnregisterTagNameCtrl": 8, "QXSimReset": 0, "QXSimLog": 8},
}


def check_file(pe, dll, sizes, fail):
    symbols = pecheck.coff_symbols(pe)
    if symbols is None:
        fail("%s has no symbol table left to read the calling convention from" % dll)
        return
    at = {}
    for name, rva in symbols:
        at.setdefault(rva, set()).add(name)
    ex = pecheck.export_directory(pe)
    exported = {n: ex["functions"][o - ex["base"]] for n, o in ex["names"]} if ex else {}
    for name, size in sizes.items():
        if name not in exported:
            fail("%s does not export %s" % (dll, name))
            continue
        want = "_%s@%d" % (name, size)
        names = at.get(exported[name], set())
        if want not in names:
            fail("%s: the code of %s is named %s, not %s"
                 % (dll, name, " ".join(sorted(names)) or "nothing", want))
    print("%s: %d exports checked for __stdcall argument sizes" % (dll, len(sizes)))


def check(pe, arch, path, fail):
    if arch != "i686":
        print("%s has one calling convention; nothing to check" % arch)
        return
    check_file(pe, "VELMOK.dll", ARGUMENT_BYTES["VELMOK.dll"], fail)
    folder = os.path.dirname(os.path.abspath(path))
    for dll in ("VLX.dll", "qxkit.dll"):
        try:
            check_file(pefile.PE(os.path.join(folder, dll)), dll, ARGUMENT_BYTES[dll], fail)
        except (OSError, pefile.PEFormatError) as e:
            fail("cannot read %s beside the module: %s" % (dll, e))


if __name__ == "__main__":
    pecheck.run(check)
