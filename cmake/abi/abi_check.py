#!/usr/bin/env python3
"""Static ABI checks of a 32-bit Windows DLL, for the build that cannot run here.

TABLE is a library's export table (see export_table.py): lines "name argcount".

  abi_check.py exports DLL TABLE [--stdcall] [--ordinals ascii]
      The DLL exports exactly the names of TABLE (decorated name@bytes with
      --stdcall), each function returning with "ret $4*argcount" (the callee
      removes its arguments, as __stdcall requires; "ret" alone for none).
      With --ordinals ascii the ordinals are 1..N in ASCII order of the names.

  abi_check.py imports DLL FROM_DLL TABLE [--stdcall]
      The DLL imports exactly the names of TABLE from FROM_DLL.

Every finding is printed; the exit status is 1 when any check failed.
"""
import re
import subprocess
import sys

import export_table

OBJDUMP = "i686-w64-mingw32-objdump"


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def read_table(path, stdcall):
    """{name as the DLL shows it: argcount}."""
    table = export_table.read_table(path)
    if stdcall:
        return {export_table.decorated(name, args): args for name, args in table.items()}
    return table


def dll_exports(dll):
    """[(ordinal, name, rva)] from winedump."""
    out = run("winedump", "-j", "export", dll)
    rows = []
    for m in re.finditer(r"^\s+([0-9A-Fa-f]{8})\s+(\d+)\s+(\S+)\s*$", out, re.M):
        rows.append((int(m.group(2)), m.group(3), int(m.group(1), 16)))
    return rows


def image_base(dll):
    m = re.search(r"^ImageBase\s+([0-9a-fA-F]+)", run(OBJDUMP, "-p", dll), re.M)
    return int(m.group(1), 16)


def disassembly(dll):
    """Ordered list of (address, instruction text)."""
    code = []
    for line in run(OBJDUMP, "-d", "--no-show-raw-insn", dll).splitlines():
        m = re.match(r"^\s*([0-9a-f]+):\s+(\S.*)$", line)
        if m:
            code.append((int(m.group(1), 16), m.group(2).strip()))
    return code


def stack_cleanup(code, index_of, start):
    """Bytes removed by the function at start: the operand of its first ret,
    following unconditional jumps that leave the code walked so far (tail calls
    and thunks). None when no ret is found."""
    pos = index_of.get(start)
    seen_lo = start
    for _ in range(4000):
        if pos is None or pos >= len(code):
            return None
        addr, insn = code[pos]
        m = re.match(r"^ret[lw]?\s*(?:\$0x([0-9a-f]+))?", insn)
        if m:
            return int(m.group(1), 16) if m.group(1) else 0
        j = re.match(r"^jmp\s+([0-9a-f]+)\b", insn)
        if j:
            target = int(j.group(1), 16)
            if not (seen_lo <= target <= addr):
                pos = index_of.get(target)
                seen_lo = target
                continue
        pos += 1
    return None


def check_exports(dll, table, ascii_ordinals):
    rows = dll_exports(dll)
    failures = 0
    names = {name for _, name, _ in rows}
    for missing in sorted(set(table) - names):
        print(f"FAIL {dll}: export {missing} missing")
        failures += 1
    for extra in sorted(names - set(table)):
        print(f"FAIL {dll}: unexpected export {extra}")
        failures += 1
    expected_ordinal = {n: i + 1 for i, n in enumerate(sorted(table))}
    base = image_base(dll)
    code = disassembly(dll)
    index_of = {addr: i for i, (addr, _) in enumerate(code)}
    for ordinal, name, rva in sorted(rows):
        if name not in table:
            continue
        if ascii_ordinals and ordinal != expected_ordinal[name]:
            print(f"FAIL {name}: ordinal {ordinal}, expected {expected_ordinal[name]}")
            failures += 1
        want = 4 * table[name]
        got = stack_cleanup(code, index_of, base + rva)
        if got != want:
            print(f"FAIL {name}: removes {got} bytes of arguments, expected {want}")
            failures += 1
        else:
            print(f"ok   {ordinal:3d} {name}: ret {got}")
    return failures


def check_imports(dll, from_dll, wanted):
    out = run(OBJDUMP, "-p", dll)
    blocks = re.split(r"\n\s*DLL Name: ", out)
    got = None
    for block in blocks[1:]:
        head, _, rest = block.partition("\n")
        if head.strip().lower() == from_dll.lower():
            got = set(re.findall(r"^\s*[0-9a-f]+\s+\d+\s+(\S+)", rest.split("\n\n")[0], re.M))
    if got is None:
        print(f"FAIL {dll}: imports nothing from {from_dll}")
        return 1
    failures = 0
    for name in sorted(set(wanted) - got):
        print(f"FAIL {dll}: does not import {name} from {from_dll}")
        failures += 1
    for name in sorted(got - set(wanted)):
        print(f"FAIL {dll}: unexpected import {name} from {from_dll}")
        failures += 1
    if not failures:
        print(f"ok   {dll} imports {', '.join(sorted(got))} from {from_dll}")
    return failures


def main(argv):
    stdcall = "--stdcall" in argv
    try:
        if len(argv) >= 3 and argv[0] == "exports":
            ordinals = argv[argv.index("--ordinals") + 1:][:1] if "--ordinals" in argv else []
            ascii_ordinals = ordinals == ["ascii"]
            failures = check_exports(argv[1], read_table(argv[2], stdcall), ascii_ordinals)
        elif len(argv) >= 4 and argv[0] == "imports":
            failures = check_imports(argv[1], argv[2], read_table(argv[3], stdcall))
        else:
            print(__doc__)
            return 2
    except export_table.TableError as e:
        print(f"FAIL {e}")
        return 1
    print(f"{failures} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
