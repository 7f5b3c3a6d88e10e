#!/usr/bin/env bash
# check-dll.sh OBJDUMP WINDRES FORMAT DLL RC INCLUDE...
# Static check of a built Tolvarc.dll, for builds that cannot load it: the
# image has the expected format (pei-i386 or pei-x86-64), no entry point, no
# imported library, and exactly the resources that the script compiles to.
set -u
objdump=$1 windres=$2 format=$3 dll=$4 rc=$5
shift 5
includes=()
for dir in "$@"; do includes+=(-I "$dir"); done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "check-dll: $*" >&2; status=1; }

"$objdump" -p "$dll" >"$work/headers" || { echo "check-dll: cannot read $dll" >&2; exit 1; }
grep -q "file format $format\$" "$work/headers" || fail "$dll is not $format"
grep -Eq '^AddressOfEntryPoint[[:space:]]+0+$' "$work/headers" || fail "$dll has an entry point"
if grep -q 'DLL Name:' "$work/headers"; then
  fail "$dll imports: $(grep 'DLL Name:' "$work/headers" | tr -s ' ' | tr '\n' ' ')"
fi

# Memory flags (MOVEABLE, DISCARDABLE, ...) do not survive linking: leave them out.
normalise() { sed -E 's/ (MOVEABLE|DISCARDABLE|PURE|PRELOAD|IMPURE|FIXED|LOADONCALL)//g' "$1"; }
"$windres" "${includes[@]}" "$rc" -O res -o "$work/expected.res" || fail "cannot compile $rc"
"$windres" -i "$work/expected.res" -O rc -o "$work/expected.rc" || fail "cannot decompile the script's resources"
"$windres" -i "$dll" -O rc -o "$work/actual.rc" || fail "cannot read the resources of $dll"
if ! diff <(normalise "$work/expected.rc") <(normalise "$work/actual.rc") >"$work/diff"; then
  fail "resources of $dll differ from $rc:"
  head -40 "$work/diff" >&2
fi
count=$(grep -Ec '^[0-9]+ (3|4|5|6|14|16) |DIALOGEX|MENUEX|STRINGTABLE' "$work/actual.rc")
[ "$count" -gt 0 ] || fail "$dll holds no resources"
[ $status -eq 0 ] && echo "check-dll: $dll ($format) holds the resources of $(basename "$rc") and nothing else"
exit $status
