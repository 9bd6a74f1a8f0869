"""VELMOK.dll read as Windows reads it: machine and DLL flag, the export
directory with its fixed ordinals, the imports, and the description
text in read-only data.

    check_module.py <path to VELMOK.dll> <i686|x86_64>
"""
import re
import struct

import pefile

import pecheck

MODULE_NAME = "VELMOK.dll"
BASE = 1
SLOTS = 30
EXPORTS = {
    1: "DllMain", 2: "QXDllInit", 3: "QXDllFree",
    10: "Wizard_DoCommand", 11: "Wizard_GetInfo", 12: "WizardLib_GetInfo",
    13: "StatCfgDlgProc",
    20: "MyPasteBuiltInFuncs",
    21: "StatReset", 22: "StatResetAll", 23: "StatSample", 24: "StatSampleAll",
    25: "StatGetAverage", 26: "StatGetMin", 27: "StatGetMax", 28: "StatGetStdDev",
    29: "StatGetSampleCount", 30: "StatGetSumXSquared",
}
EMPTY = set(range(4, 10)) | set(range(14, 20))

DESCRIPTION = b"VELMOK : Add-On Statistical Functions for Kelvane 5.X"

# The host's libraries, and Windows' own DLLs the module may need.
VLX_FUNCTIONS = {"VlxInit", "VlxActivate", "VlxReadA", "VlxShutdown"}
QXKIT_FUNCTIONS = {"QXKit_Init", "QXDlg_RegisterTagNameCtrl", "QXDlg_UnregisterTagNameCtrl"}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "ucrtbase.dll"}
DECORATED = re.compile(r"^[_?@]|@")


def check_header(pe, arch, fail):
    if pe.FILE_HEADER.Machine != pecheck.MACHINES[arch]:
        fail("machine is 0x%x, not the %s machine 0x%x"
             % (pe.FILE_HEADER.Machine, arch, pecheck.MACHINES[arch]))
    magic = {"i686": pefile.OPTIONAL_HEADER_MAGIC_PE,
             "x86_64": pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS}[arch]
    if pe.OPTIONAL_HEADER.Magic != magic:
        fail("optional header magic 0x%x, not 0x%x" % (pe.OPTIONAL_HEADER.Magic, magic))
    if not pe.FILE_HEADER.Characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_DLL"]:
        fail("the DLL flag is not set")
    if pe.OPTIONAL_HEADER.AddressOfEntryPoint == 0:
        fail("no entry point: the run-time library's start-up routine must run")


def check_exports(pe, fail):
    ex = pecheck.export_directory(pe)
    if ex is None:
        fail("no export directory")
        return
    if ex["name"] != MODULE_NAME:
        fail("export directory names the module %r, not %r" % (ex["name"], MODULE_NAME))
    if ex["base"] != BASE:
        fail("ordinal base %d, not %d" % (ex["base"], BASE))
    if len(ex["functions"]) != SLOTS:
        fail("%d ordinal slots, not %d" % (len(ex["functions"]), SLOTS))

    for index, rva in enumerate(ex["functions"]):
        ordinal = ex["base"] + index
        if ordinal in EMPTY and rva != 0:
            fail("ordinal %d should be empty but holds RVA 0x%x" % (ordinal, rva))
        if ordinal in EXPORTS:
            if rva == 0:
                fail("ordinal %d (%s) is empty" % (ordinal, EXPORTS[ordinal]))
            elif ex["start"] <= rva < ex["end"]:
                fail("ordinal %d (%s) is a forwarder" % (ordinal, EXPORTS[ordinal]))
            else:
                section = pecheck.section_of(pe, rva)
                if section is None or not pecheck.is_code(section):
                    fail("ordinal %d (%s) does not point into code" % (ordinal, EXPORTS[ordinal]))

    names = [n for n, _ in ex["names"]]
    # The loader finds a name by binary search: the table must be sorted.
    if names != sorted(names, key=lambda n: n.encode("latin-1")):
        fail("export names are not in ascending order: %s" % names)
    for name in names:
        if DECORATED.search(name):
            fail("decorated export name %r" % name)
    got = {}
    for name, ordinal in ex["names"]:
        if name in got:
            fail("name %s exported twice" % name)
        got[name] = ordinal
    want = {name: ordinal for ordinal, name in EXPORTS.items()}
    for name, ordinal in sorted(want.items(), key=lambda x: x[1]):
        if name not in got:
            fail("%s is not exported by name" % name)
        elif got[name] != ordinal:
            fail("%s is at ordinal %d, not %d" % (name, got[name], ordinal))
    for name in sorted(set(got) - set(want)):
        fail("unexpected export %s at ordinal %d" % (name, got[name]))

    print("export directory: name %s, base %d, %d slots, %d names"
          % (ex["name"], ex["base"], len(ex["functions"]), len(names)))
    by_ordinal = {o: n for n, o in ex["names"]}
    for index, rva in enumerate(ex["functions"]):
        ordinal = ex["base"] + index
        print("  %2d  %-20s %s" % (ordinal, by_ordinal.get(ordinal, "(empty)"),
                                   "0x%x" % rva if rva else "-"))


def check_imports(pe, fail):
    listing = pecheck.imports(pe)
    seen = {}
    for dll, funcs in listing:
        key = dll.lower()
        seen.setdefault(key, []).extend(funcs)
        if key not in SYSTEM_DLLS | {"vlx.dll", "qxkit.dll"} \
                and not key.startswith("api-ms-win-crt-"):
            fail("imports from %s, which is neither a host library nor Windows' own" % dll)
        for f in funcs:
            if f.startswith("#"):
                fail("imports %s from %s by ordinal" % (f, dll))
    vlx = set(seen.get("vlx.dll", []))
    if vlx != VLX_FUNCTIONS:
        fail("imports %s from VLX.dll; want exactly %s" % (sorted(vlx), sorted(VLX_FUNCTIONS)))
    qxkit = set(seen.get("qxkit.dll", []))
    if not qxkit <= QXKIT_FUNCTIONS:
        fail("imports %s from qxkit.dll beyond the toolkit's %s"
             % (sorted(qxkit - QXKIT_FUNCTIONS), sorted(QXKIT_FUNCTIONS)))
    names = [d for d, _ in listing]
    if len(set(n.lower() for n in names)) != len(names):
        fail("a DLL appears twice among the imports: %s" % names)
    print("imports:")
    for dll, funcs in listing:
        print("  %s: %s" % (dll, " ".join(funcs)))


def check_description(pe, arch, fail):
    image = pe.get_memory_mapped_image()
    text = DESCRIPTION + b"\0"
    at = image.find(text)
    if at < 0:
        fail("description text %r is not in the image" % DESCRIPTION.decode())
        return
    if image.find(text, at + 1) >= 0:
        fail("description text appears more than once")
    section = pecheck.section_of(pe, at)
    if section is None or not pecheck.is_read_only_data(section):
        fail("description text lies in %s, which is not read-only data"
             % (pecheck.section_name(section) if section else "no section"))
    else:
        print("description text at RVA 0x%x in %s" % (at, pecheck.section_name(section)))
    # No code reads it: nothing in the image holds its address. A 32-bit
    # reference would be an absolute address, a 64-bit pointer table an
    # absolute 64-bit one; base relocations would point at either.
    va = pe.OPTIONAL_HEADER.ImageBase + at
    pattern = struct.pack("<I", va) if arch == "i686" else struct.pack("<Q", va)
    if image.find(pattern) >= 0:
        fail("the image holds the description text's address 0x%x" % va)
    for block in getattr(pe, "DIRECTORY_ENTRY_BASERELOC", []):
        for entry in block.entries:
            if entry.type == 0:
                continue
            width = 4 if arch == "i686" else 8
            target = pe.get_data(entry.rva, width)
            if int.from_bytes(target, "little") - pe.OPTIONAL_HEADER.ImageBase in \
                    range(at, at + len(text)):
                fail("relocation at RVA 0x%x points into the description text" % entry.rva)


def check(pe, arch, path, fail):
    check_header(pe, arch, fail)
    check_exports(pe, fail)
    check_imports(pe, fail)
    check_description(pe, arch, fail)


if __name__ == "__main__":
    pecheck.run(check)
