#!/bin/sh
# check-no-import.sh OBJDUMP FILE DLL: FILE loads DLL by name when it needs
# it, so its import table must not name DLL (the loader would refuse to start
# it without one). The comparison ignores case.
set -eu
imports=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p')
echo "imports of $2:" $imports
if printf '%s\n' "$imports" | grep -qix "$3"; then
  echo "FAIL: $3 is in the import table"
  exit 1
fi
