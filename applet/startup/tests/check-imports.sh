#!/bin/sh
# check-imports.sh OBJDUMP EXE: the applet loads its resource library by name
# at start-up, so that a missing library gets its own message: the program's
# import table must not name it (the loader would refuse to start it first).
set -eu
imports=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p')
echo "imports of $2:" $imports
if printf '%s\n' "$imports" | grep -qi '^tolvarc\.dll$'; then
  echo "FAIL: Tolvarc.dll is in the import table"
  exit 1
fi
