#!/usr/bin/env python3
"""A library's export table: the one list of its exported functions.

A table has one line per function, "name argcount" (the number of 32-bit
arguments the function takes, and so removes from the stack as __stdcall);
'#' starts a comment. Everything else that names the exports is made from it
or checked against it.

  export_table.py def TABLE OUT --library DLL [--stdcall] [--ordinals]
      Writes the module-definition file OUT for DLL. --stdcall lists the names
      decorated as the 32-bit compiler emits them (name@bytes); --ordinals
      gives each function its ordinal, 1..N in ASCII order of the names.

  export_table.py cxx-rows TABLE OUT
      Writes OUT, one C++ initializer {"name", argcount}, per function in the
      order of the table, for a host that includes it inside an array to
      call the exports by name at run time.

  export_table.py check-header TABLE HEADER --api MACRO
      The header declares (with MACRO in the declaration) exactly the functions
      of the table, each with the table's number of arguments.

The exit status is 1 when a table or header is wrong, with every finding
printed.
"""
import re
import sys


class TableError(Exception):
    pass


def read_table(path):
    """{name: argcount} of TABLE; raises TableError on a malformed table."""
    table = {}
    with open(path) as f:
        for number, line in enumerate(f, 1):
            fields = line.split("#", 1)[0].split()
            if not fields:
                continue
            if len(fields) != 2 or not re.fullmatch(r"[A-Za-z_]\w*", fields[0]) \
                    or not fields[1].isdigit():
                raise TableError(f"{path}:{number}: expected 'name argcount', got {line.strip()!r}")
            if fields[0] in table:
                raise TableError(f"{path}:{number}: {fields[0]} listed twice")
            table[fields[0]] = int(fields[1])
    if not table:
        raise TableError(f"{path}: no exports listed")
    return table


def decorated(name, args):
    return f"{name}@{4 * args}"


def ascii_order(table):
    return sorted(table)


def write_def(table, out_path, library, stdcall, ordinals):
    if ordinals and list(table) != ascii_order(table):
        # The table is read as the list of ordinals, so it keeps their order.
        listed, due = next((a, b) for a, b in zip(table, ascii_order(table)) if a != b)
        raise TableError(f"{listed} stands where {due} belongs: the ordinals follow ASCII order")
    lines = ["; Generated from the export table by export_table.py: edit the table, not this file.",
             f"LIBRARY {library}", "EXPORTS"]
    for ordinal, name in enumerate(ascii_order(table), 1):
        entry = decorated(name, table[name]) if stdcall else name
        lines.append(f"  {entry} @{ordinal}" if ordinals else f"  {entry}")
    write_if_changed(out_path, "\n".join(lines) + "\n")


def write_cxx_rows(table, out_path):
    lines = ["// Generated from the export table by export_table.py: edit the table, not this file."]
    lines += [f'{{"{name}", {args}}},' for name, args in table.items()]
    write_if_changed(out_path, "\n".join(lines) + "\n")


def write_if_changed(out_path, text):
    # Rewriting an unchanged file would rebuild what depends on it for nothing.
    try:
        with open(out_path) as f:
            if f.read() == text:
                return
    except FileNotFoundError:
        pass
    with open(out_path, "w") as f:
        f.write(text)


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    text = re.sub(r"//[^\n]*", " ", text)
    return "\n".join(line for line in text.splitlines() if not line.lstrip().startswith("#"))


def count_parameters(params):
    """Number of parameters in a C parameter list, "void" and "" being none."""
    params = params.strip()
    if params in ("", "void"):
        return 0
    depth, count = 0, 1
    for c in params:
        if c == "(":
            depth += 1
        elif c == ")":
            depth -= 1
        elif c == "," and depth == 0:
            count += 1
    return count


def header_declarations(header, api):
    """{name: argcount} of the functions HEADER declares with API, and the
    declarations with API that could not be read."""
    with open(header) as f:
        text = strip_comments(f.read())
    declared, unreadable = {}, []
    # Braces end a statement too: those of extern "C" blocks hold declarations.
    for statement in re.split(r"[;{}]", text):
        statement = " ".join(statement.split())
        if not re.search(rf"\b{re.escape(api)}\b", statement):
            continue
        # The identifier before the outermost parameter list names the function.
        m = re.fullmatch(r"[^(]*?\b([A-Za-z_]\w*)\s*\((.*)\)", statement)
        if not m:
            unreadable.append(statement)
            continue
        declared[m.group(1)] = count_parameters(m.group(2))
    return declared, unreadable


def check_header(table, header, api):
    declared, unreadable = header_declarations(header, api)
    failures = 0
    for statement in unreadable:
        print(f"FAIL {header}: cannot read the declaration {statement!r}")
        failures += 1
    for name in sorted(set(table) - set(declared)):
        print(f"FAIL {header}: {name} of the export table is not declared")
        failures += 1
    for name in sorted(set(declared) - set(table)):
        print(f"FAIL {header}: {name} is declared but not in the export table")
        failures += 1
    for name in sorted(set(table) & set(declared)):
        if declared[name] != table[name]:
            print(f"FAIL {name}: {declared[name]} argument(s) in {header}, "
                  f"{table[name]} in the export table")
            failures += 1
    if not failures:
        print(f"ok   {header} declares the {len(table)} exports of the table "
              "with their argument counts")
    return failures


def option_value(argv, option):
    if option not in argv or argv.index(option) + 1 >= len(argv):
        return None
    return argv[argv.index(option) + 1]


def main(argv):
    try:
        if len(argv) >= 3 and argv[0] == "def" and option_value(argv, "--library"):
            write_def(read_table(argv[1]), argv[2], option_value(argv, "--library"),
                      "--stdcall" in argv, "--ordinals" in argv)
            return 0
        if len(argv) == 3 and argv[0] == "cxx-rows":
            write_cxx_rows(read_table(argv[1]), argv[2])
            return 0
        if len(argv) >= 3 and argv[0] == "check-header" and option_value(argv, "--api"):
            failures = check_header(read_table(argv[1]), argv[2], option_value(argv, "--api"))
            print(f"{failures} failure(s)")
            return 1 if failures else 0
    except TableError as e:
        print(f"FAIL {e}")
        return 1
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
