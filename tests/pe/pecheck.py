"""Shared reading for the file checks of the Windows builds.

Each check_*.py script is run as
    check_x.py <path to VELMOK.dll> <i686|x86_64>
and exits 0 when every check holds. The tables here are read straight
from the file's arrays, the way the Windows loader reads them, rather
than from pefile's digested lists.
"""
import os
import struct
import sys

import pefile

MACHINES = {"i686": pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"],
            "x86_64": pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]}


def run(check):
    """Parse the arguments, load the file, run check(pe, arch, path, fail)
    and exit 1 if any fail(...) was called."""
    if len(sys.argv) != 3 or sys.argv[2] not in MACHINES:
        print("usage: %s <file.dll> <i686|x86_64>" % os.path.basename(sys.argv[0]))
        sys.exit(2)
    path, arch = sys.argv[1], sys.argv[2]
    failures = []

    def fail(text):
        failures.append(text)
        print("FAIL: " + text)

    try:
        pe = pefile.PE(path)
    except (OSError, pefile.PEFormatError) as e:
        print("FAIL: cannot read %s: %s" % (path, e))
        sys.exit(1)
    check(pe, arch, path, fail)
    if failures:
        print("%d check(s) failed for %s" % (len(failures), path))
        sys.exit(1)
    print("ok: %s" % path)


def cstring(pe, rva):
    return pe.get_string_at_rva(rva, max_length=4096).decode("latin-1")


def export_directory(pe):
    """The export directory as the loader sees it: a dict with the module
    name, base, the address table (one RVA per slot, index 0 = ordinal
    base) and the names, each mapped to its ordinal. None when the file
    has no export directory."""
    entry = pe.OPTIONAL_HEADER.DATA_DIRECTORY[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_EXPORT"]]
    if entry.VirtualAddress == 0 or entry.Size == 0:
        return None
    raw = pe.get_data(entry.VirtualAddress, 40)
    (_flags, _stamp, _major, _minor, name_rva, base, nfuncs, nnames,
     funcs_rva, names_rva, ords_rva) = struct.unpack("<IIHHIIIIIII", raw)
    functions = [pe.get_dword_at_rva(funcs_rva + 4 * i) for i in range(nfuncs)]
    names = []
    for i in range(nnames):
        name = cstring(pe, pe.get_dword_at_rva(names_rva + 4 * i))
        index = pe.get_word_at_rva(ords_rva + 2 * i)
        names.append((name, base + index))
    return {"name": cstring(pe, name_rva), "base": base, "functions": functions,
            "names": names, "start": entry.VirtualAddress,
            "end": entry.VirtualAddress + entry.Size}


def imports(pe):
    """List of (dll, [function names, or '#n' for an ordinal import])."""
    result = []
    for kind in ("DIRECTORY_ENTRY_IMPORT", "DIRECTORY_ENTRY_DELAY_IMPORT"):
        for d in getattr(pe, kind, []):
            funcs = [(i.name.decode("latin-1") if i.name else "#%d" % i.ordinal)
                     for i in d.imports]
            result.append((d.dll.decode("latin-1"), funcs))
    return result


def section_of(pe, rva):
    for s in pe.sections:
        if s.VirtualAddress <= rva < s.VirtualAddress + max(s.Misc_VirtualSize, s.SizeOfRawData):
            return s
    return None


def section_name(section):
    return section.Name.rstrip(b"\0").decode("latin-1")


def is_code(section):
    return bool(section.Characteristics & pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_EXECUTE"])


def is_read_only_data(section):
    c = section.Characteristics
    f = pefile.SECTION_CHARACTERISTICS
    return bool(c & f["IMAGE_SCN_MEM_READ"]) and not c & f["IMAGE_SCN_MEM_WRITE"] \
        and not c & f["IMAGE_SCN_MEM_EXECUTE"]


def coff_symbols(pe):
    """The linker's COFF symbol table left in the image: a list of
    (name, rva) for the external symbols, or None when it was stripped."""
    fh = pe.FILE_HEADER
    if fh.PointerToSymbolTable == 0 or fh.NumberOfSymbols == 0:
        return None
    data = pe.__data__
    table = fh.PointerToSymbolTable
    strings = table + 18 * fh.NumberOfSymbols
    result = []
    i = 0
    while i < fh.NumberOfSymbols:
        rec = data[table + 18 * i: table + 18 * (i + 1)]
        short, value, section, _type, storage, aux = struct.unpack("<8sIhHBB", rec)
        if short[:4] == b"\0\0\0\0":
            offset = struct.unpack("<I", short[4:])[0]
            end = data.find(b"\0", strings + offset)
            name = data[strings + offset:end]
        else:
            name = short.rstrip(b"\0")
        if storage == 2 and 1 <= section <= len(pe.sections):  # external, defined
            result.append((name.decode("latin-1"), pe.sections[section - 1].VirtualAddress + value))
        i += 1 + aux
    return result
