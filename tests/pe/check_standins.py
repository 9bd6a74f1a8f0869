"""The stand-ins beside VELMOK.dll (VLX.dll, qxkit.dll) export their names
undecorated, and every function the module imports from them is there
by that name, so the Windows loader can bind the module to them.

    check_standins.py <path to VELMOK.dll> <i686|x86_64>
"""
import os
import re

import pefile

import pecheck

STANDINS = {"VLX.dll": {"VlxInit", "VlxActivate", "VlxReadA", "VlxShutdown"},
            "qxkit.dll": {"QXKit_Init", "QXDlg_RegisterTagNameCtrl",
                          "QXDlg_UnregisterTagNameCtrl"}}
DECORATED = re.compile(r"^[_?@]|@")


def check(pe, arch, path, fail):
    imported = {dll.lower(): set(funcs) for dll, funcs in pecheck.imports(pe)}
    folder = os.path.dirname(os.path.abspath(path))
    for dll, functions in STANDINS.items():
        try:
            sim = pefile.PE(os.path.join(folder, dll))
        except (OSError, pefile.PEFormatError) as e:
            fail("cannot read %s beside the module: %s" % (dll, e))
            continue
        if sim.FILE_HEADER.Machine != pecheck.MACHINES[arch]:
            fail("%s is built for machine 0x%x" % (dll, sim.FILE_HEADER.Machine))
        ex = pecheck.export_directory(sim)
        if ex is None:
            fail("%s has no export directory" % dll)
            continue
        if ex["name"] != dll:
            fail("%s's export directory names it %r" % (dll, ex["name"]))
        names = {n for n, _ in ex["names"]}
        for name in sorted(names):
            if DECORATED.search(name):
                fail("%s exports the decorated name %r" % (dll, name))
        for name in sorted(functions - names):
            fail("%s does not export %s" % (dll, name))
        for name in sorted(imported.get(dll.lower(), set()) - names):
            fail("the module imports %s from %s, which does not export it" % (name, dll))
        print("%s exports %s" % (dll, " ".join(sorted(names))))


if __name__ == "__main__":
    pecheck.run(check)
