#!/usr/bin/env bash
# pdrcam as a user runs it, against the simulated camera: exit statuses,
# downloads compared with what the camera served, skipping, Ctrl-C in the
# middle of a transfer, erasing with and without confirmation, and a missing
# library; the README's example pasted as it stands.
# Usage: pdrcam_cli_test.sh PDRCAM PDR_SIM README
set -u
pdrcam=$1
sim=$2
readme=$3
speed=${PDRCAM_TEST_SPEED:-115200}
work=$(mktemp -d "${TMPDIR:-/tmp}/pdrcam-cli.XXXXXX")
sim_pid=
failures=0

cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_status() {  # expect_status WANT GOT WHAT
  [ "$1" -eq "$2" ] || fail "$3: exit status $2, expected $1"
}

. "$(dirname "$0")/../../../../sim/program/simulated-camera.sh"
start_sim() {
  start_simulated_camera "$sim" "$work" --verbose --export "$work/served" "$@" ||
    { echo "FAIL: no camera" >&2; exit 1; }
  export COMM32_PORT3=$pty
}

cam() { "$pdrcam" "$@" --port 3 --speed "$speed"; }

start_sim

# Help and usage errors need no camera.
"$pdrcam" --help | grep -q "Exit status" || fail "--help lacks the exit statuses"
"$pdrcam" get --help | grep -q -- "--thumbnails" || fail "get --help lacks --thumbnails"
"$pdrcam" frobnicate 2>/dev/null; expect_status 2 $? "unknown command"
"$pdrcam" get --speed 12345 2>/dev/null; expect_status 2 $? "speed not offered"

# A library that cannot be loaded.
"$pdrcam" info --library "$work/no-such-library.so" 2>"$work/err"; expect_status 4 $? "missing library"
grep -q "no-such-library" "$work/err" || fail "the missing library is not named"

# Information.
cam info >"$work/info"; expect_status 0 $? "info"
grep -q "Maker: *Toshiba" "$work/info" || fail "info lacks the maker"
grep -q "Pictures: *10" "$work/info" || fail "info lacks the picture count"

# Two pictures, compared with the camera's files; a second run skips them.
cam get 1,2 --out "$work/dl" >"$work/get.out"; expect_status 0 $? "get 1,2"
for n in 1 2; do
  cmp -s "$work/served/00${n}_"*[0-9].jpg "$work/dl/PIC0000$n.JPG" || fail "picture $n differs"
done
cam get 1,2 --out "$work/dl" >"$work/get.out"; expect_status 0 $? "second get"
grep -q "0 written, 2 skipped" "$work/get.out" || fail "existing pictures were not skipped"
[ -z "$(find "$work/dl" -name '.*.part')" ] || fail "working files left behind"

# Ctrl-C while picture 8 (the largest) is on its way.
mkdir -p "$work/cancel"
# With job control on, the background job does not start with interrupts ignored.
set -m
"$pdrcam" get 8 --port 3 --speed "$speed" --out "$work/cancel" >"$work/cancel.out" 2>&1 &
cam_pid=$!
set +m
for _ in $(seq 200); do
  part=$(find "$work/cancel" -name '.PIC00008*' -size +4k 2>/dev/null | head -n 1)
  [ -n "$part" ] && break
  sleep 0.05
done
[ -n "$part" ] || fail "no working file appeared during the transfer"
kill -INT "$cam_pid"
wait "$cam_pid"; expect_status 130 $? "Ctrl-C"
[ -z "$(ls "$work/cancel")$(find "$work/cancel" -name '.*.part')" ] || fail "Ctrl-C left files: $(ls -A "$work/cancel")"
tail -n 3 "$work/sim.log" | grep -q "line speed now 19200" || fail "the session was not closed after Ctrl-C"

# Erasing asks first; no means nothing happens.
echo n | cam erase 1 >/dev/null; expect_status 6 $? "declined erase"
echo y | cam erase last >"$work/erase.out"; expect_status 0 $? "confirmed erase"
grep -q "9 pictures remain" "$work/erase.out" || fail "erase did not leave 9 pictures"

# No camera on the port.
COMM32_PORT3=$work/no-such-port "$pdrcam" info --port 3 2>/dev/null; expect_status 3 $? "no camera"

# The README's example, in a folder laid out like the source tree's.
mkdir -p "$work/readme/build/native"
ln -s "$(dirname "$pdrcam")" "$work/readme/build/native/bin"
awk '/For instance:/ {on = 1; next} on && /^      / {print substr($0, 7); seen = 1; next}
     on && seen && !/^ *$/ {exit}' "$readme" >"$work/example.sh"
grep -q "pdrcam get all" "$work/example.sh" || fail "the README's example was not found"
(cd "$work/readme" && timeout 120 bash "$work/example.sh" >"$work/example.out" 2>&1)
expect_status 0 $? "the README's example ($(tail -n 2 "$work/example.out"))"
[ "$(ls "$work/readme/pictures" 2>/dev/null | wc -l)" -eq 10 ] || fail "the README's example did not download 10 pictures"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
