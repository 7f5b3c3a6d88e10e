#!/usr/bin/env bash
# run_double_host.sh HOST DOUBLE_DIR: runs HOST with the stand-in serial
# library of DOUBLE_DIR found first, and checks that the stand-in saw the calls.
set -u
host=$1 dir=$2
log=$(mktemp)
trap 'rm -f "$log"' EXIT
: > "$log"
if ! env LD_LIBRARY_PATH="$dir" PELTRIX_COMM32_LOG="$log" "$host"; then
  echo "FAIL: host did not get port 5"; exit 1
fi
echo "--- calls seen by the stand-in:"; cat "$log"
fail=0
expect() { grep -qxF -- "$1" "$log" || { echo "FAIL: missing call '$1'"; fail=1; }; }
expect "ComOpen com 5 19200 8 1 1 4096 4096"
expect "ComClose 5"
# The first call must be the open: nothing reaches the line before it.
[ "$(head -n1 "$log")" = "ComOpen com 5 19200 8 1 1 4096 4096" ] || { echo "FAIL: first call"; fail=1; }
exit $fail
