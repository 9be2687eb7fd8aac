#!/usr/bin/env python3
"""Lists every import of the shipped programs and DLLs with the oldest Windows that has it, and
checks them against what the README promises: Windows 95 and NT 4.0 and everything after them.

usage: imports.py [--list] FOLDER-OR-FILE...
  FOLDER-OR-FILE: the program folder image (every .exe and .dll below it is read) or single files.
  --list prints every import; otherwise only what breaks the promise and a summary are printed.

The oldest Windows of each function comes from scripts/windows-api.txt. A function that the
sources look up at run time (GetProcAddress) instead of importing may be newer: it is listed with
the file that looks it up, and the program then works without it on older Windows; its name must
be in the table and exported by Wine's DLL of that name, or the lookup could never succeed. Exit
status 1 when an import is newer than promised, a name is unknown to the table or not exported, or
a header asks for a newer Windows.
"""
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

# The Windows versions in order, per family: 9x and NT. A table entry names the first version of
# each family that has the function ("-" for none); the promise is the first of each.
NINE_X = ["95", "98", "Me"]
NT = ["NT3.1", "NT3.5", "NT3.51", "NT4", "2000", "XP", "2003", "Vista", "7"]
PROMISE = {"9x": "95", "NT": "NT4"}


def read_table(path):
    """Maps "dll!function" (lower-case dll) to (9x version, NT version, note)."""
    table = {}
    with open(path, encoding="ascii") as source:
        for number, line in enumerate(source, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            fields = line.split(None, 3)
            if len(fields) < 3 or (fields[1] not in NINE_X + ["-"]) or (fields[2] not in NT):
                raise SystemExit("%s:%d: expected DLL!FUNCTION 9X-VERSION NT-VERSION [NOTE]"
                                 % (path, number))
            dll, _, function = fields[0].partition("!")
            note = fields[3] if len(fields) > 3 else ""
            table[dll.lower() + "!" + function] = (fields[1], fields[2], note)
    return table


class PeError(Exception):
    pass


def pe_layout(data):
    """(machine, PE32+?, OS version, subsystem version, data directory reader, RVA to offset,
    text at RVA) of a PE image."""
    if data[:2] != b"MZ":
        raise PeError("no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise PeError("no PE header")
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    plus = magic == 0x20B
    os_version = struct.unpack_from("<HH", data, optional + 40)
    subsystem_version = struct.unpack_from("<HH", data, optional + 48)
    directories = optional + (112 if plus else 96)
    table = []
    for index in range(sections):
        name, virtual_size, address, raw_size, raw_pointer = struct.unpack_from(
            "<8sIIII", data, optional + optional_size + index * 40)
        table.append((address, max(virtual_size, raw_size), raw_pointer))

    def directory(index):
        return struct.unpack_from("<I", data, directories + index * 8)[0]

    def offset(rva):
        for address, size, raw in table:
            if address <= rva < address + size:
                return rva - address + raw
        raise PeError("address 0x%x is in no section" % rva)

    def text(rva):
        start = offset(rva)
        return data[start:data.index(b"\0", start)].decode("ascii")

    return machine, plus, os_version, subsystem_version, directory, offset, text


def export_names(data):
    """The names a PE image (a DLL) exports."""
    _, _, _, _, directory, offset, text = pe_layout(data)
    export_rva = directory(0)
    if not export_rva:
        return set()
    count, names_rva = struct.unpack_from("<I4xI", data, offset(export_rva) + 24)
    position = offset(names_rva)
    return {text(struct.unpack_from("<I", data, position + 4 * index)[0]) for index in range(count)}


def parse_imports(data):
    """(machine, subsystem version, OS version, [(dll, function, delayed)]) of a PE image."""
    machine, plus, os_version, subsystem_version, directory, offset, text = pe_layout(data)
    thunk_size = 8 if plus else 4
    ordinal_bit = 1 << (63 if plus else 31)

    def names(thunks_rva):
        found = []
        position = offset(thunks_rva)
        while True:
            value = struct.unpack_from("<Q" if plus else "<I", data, position)[0]
            if value == 0:
                return found
            if value & ordinal_bit:
                found.append("#%d" % (value & 0xFFFF))
            else:
                found.append(text(value + 2))
            position += thunk_size

    imports = []
    import_rva = directory(1)
    if import_rva:
        position = offset(import_rva)
        while True:
            lookup, _, _, name_rva, first_thunk = struct.unpack_from("<IIIII", data, position)
            if name_rva == 0:
                break
            dll = text(name_rva)
            for function in names(lookup or first_thunk):
                imports.append((dll, function, False))
            position += 20
    delay_rva = directory(13)
    if delay_rva:
        position = offset(delay_rva)
        while True:
            fields = struct.unpack_from("<IIIIIIII", data, position)
            if fields[1] == 0:
                break
            dll = text(fields[1])
            for function in names(fields[4]):
                imports.append((dll, function, True))
            position += 32
    return machine, subsystem_version, os_version, imports


# GetProcAddress(module, "Name") and our systemFunction<...>("module.dll", "Name") in the sources.
LOOKUP = re.compile(r'(?:systemFunction<[^>]*>\s*\(\s*"([^"]+)"\s*,\s*"([^"]+)"'
                    r'|GetProcAddress\s*\(\s*(?:GetModuleHandleA\s*\(\s*"([^"]+)"\s*\)|[^,]+)'
                    r'\s*,\s*"([^"]+)")')


def runtime_lookups(source_root):
    """Maps "dll!function" to the source files that look it up at run time."""
    found = {}
    for parent, _, files in os.walk(source_root):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(parent, name)
            with open(path, encoding="utf-8", errors="replace") as source:
                code = source.read()
            for match in LOOKUP.finditer(code):
                dll = (match.group(1) or match.group(3) or "kernel32.dll").lower()
                function = match.group(2) or match.group(4)
                found.setdefault(dll + "!" + function, []).append(
                    os.path.relpath(path, ROOT))
    return found


class WineExports:
    """The exports of Wine's 64-bit system DLLs: a name looked up at run time that Wine's DLL of
    that name lacks is a misspelling (Wine has every function the programs look up)."""

    FOLDERS = ["/usr/lib/x86_64-linux-gnu/wine/x86_64-windows", "/usr/lib/wine/x86_64-windows",
               "/usr/lib64/wine/x86_64-windows"]

    def __init__(self):
        self.folder = next((folder for folder in self.FOLDERS if os.path.isdir(folder)), None)
        self.names = {}

    def lacks(self, dll, function):
        if self.folder is None:
            return False
        if dll not in self.names:
            path = os.path.join(self.folder, dll)
            if not os.path.isfile(path):
                self.names[dll] = None
            else:
                with open(path, "rb") as image:
                    self.names[dll] = export_names(image.read())
        return self.names[dll] is not None and function not in self.names[dll]


def later_than_promise(nine_x, nt):
    """The families where the function arrives after the promised first version."""
    late = []
    if nine_x == "-" or NINE_X.index(nine_x) > NINE_X.index(PROMISE["9x"]):
        late.append("9x")
    if NT.index(nt) > NT.index(PROMISE["NT"]):
        late.append("NT")
    return late


def shipped_files(arguments):
    for argument in arguments:
        if os.path.isdir(argument):
            for parent, _, files in sorted(os.walk(argument)):
                for name in sorted(files):
                    if name.lower().endswith((".exe", ".dll")):
                        yield os.path.join(parent, name)
        else:
            yield argument


def main(argv):
    listing = "--list" in argv
    arguments = [argument for argument in argv[1:] if argument != "--list"]
    if not arguments:
        sys.stderr.write(__doc__)
        return 2
    table = read_table(os.path.join(HERE, "windows-api.txt"))
    problems = 0
    count = 0
    for path in shipped_files(arguments):
        with open(path, "rb") as image:
            data = image.read()
        try:
            machine, subsystem, os_version, imports = parse_imports(data)
        except (PeError, struct.error, ValueError) as error:
            print("%s: not a readable PE image (%s)" % (path, error))
            problems += 1
            continue
        shown = os.path.relpath(path)
        print("%s (%s, subsystem %d.%d)" % (shown, {0x14C: "i386", 0x8664: "x86-64"}.get(
            machine, "machine 0x%x" % machine), subsystem[0], subsystem[1]))
        # Windows 95 and NT 4.0 refuse a program that asks for a newer subsystem or system.
        for what, version in (("subsystem", subsystem), ("system", os_version)):
            if version > (4, 0):
                print("  %s version %d.%d: Windows 95 and NT 4.0 refuse to start it"
                      % (what, version[0], version[1]))
                problems += 1
        for dll, function, delayed in imports:
            count += 1
            key = dll.lower() + "!" + function
            if key not in table:
                print("  %s!%s: not in scripts/windows-api.txt" % (dll, function))
                problems += 1
                continue
            nine_x, nt, note = table[key]
            late = later_than_promise(nine_x, nt)
            kind = "delay-loaded" if delayed else "imported"
            line = "  %-14s %-36s 9x: %-3s NT: %-5s %s" % (dll, function, nine_x, nt, note)
            if late and not delayed:
                print(line + "  <- newer than promised (%s)" % ", ".join(late))
                problems += 1
            elif listing:
                print(line + ("  (%s)" % kind if delayed else ""))
    lookups = runtime_lookups(os.path.join(ROOT, "src"))
    exports = WineExports()
    print("looked up at run time instead (the program works without them):")
    for key in sorted(lookups):
        where = ", ".join(sorted(set(lookups[key])))
        if key not in table:
            # A name nobody knows is most likely misspelt: the lookup would always fail.
            print("  %s: looked up in %s, not in scripts/windows-api.txt" % (key, where))
            problems += 1
            continue
        nine_x, nt, _ = table[key]
        print("  %-50s 9x: %-3s NT: %-5s in %s" % (key, nine_x, nt, where))
        dll, _, function = key.partition("!")
        if exports.lacks(dll, function):
            print("    %s does not export it: the lookup can never succeed" % dll)
            problems += 1
    if exports.folder is None:
        print("(no Wine DLLs found to check the run-time lookups' names against)")
    print("imports: %d checked, %d problem(s)" % (count, problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
