#!/usr/bin/env bash
# pdrcam.exe under Wine downloads every picture of the simulated camera
# through Peltrix.dll and comm32.dll on COM3, which is linked to the
# simulator's pseudo-terminal; each file must match what the camera served.
# Then Ctrl-C typed at the erase question must end the run with nothing erased.
# Usage: pdrcam_wine_test.sh PDRCAM_EXE WINE_RUN PDR_SIM  (exit 77: skipped;
# under CI a missing simulator fails instead)
set -u
pdrcam=$1
wine_run=$2
sim=$3
speed=${PDRCAM_TEST_SPEED:-115200}
if [ ! -x "$sim" ]; then
  # A full run (CI) builds the native flavour first: there a missing simulator
  # is a fault, not a reason to skip.
  if [ -n "${CI:-}" ]; then
    echo "FAIL: no native simulator at $sim, and CI runs every build"
    exit 1
  fi
  echo "SKIP: no native simulator at $sim (build the native flavour first)"
  exit 77
fi
prefix=${WINEPREFIX:-$(cd "$(dirname "$wine_run")" && pwd)/wineprefix}
export WINEPREFIX=$prefix
# The prefix is made by the first program run through wine-run.
"$wine_run" cmd /c exit </dev/null >/dev/null 2>&1

work=$(mktemp -d "${TMPDIR:-/tmp}/pdrcam-wine.XXXXXX")
com=$prefix/dosdevices/com3
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null; fi
  [ -L "$com" ] && rm -f "$com"
  rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/../../../../sim/program/simulated-camera.sh"
start_simulated_camera "$sim" "$work" --export "$work/served" || { echo "FAIL: no camera"; exit 1; }
mkdir -p "$prefix/dosdevices"
ln -sfn "$pty" "$com"

out_unix=$work/download
out_windows="Z:${out_unix//\//\\}"
"$wine_run" "$pdrcam" get all --thumbnails --port 3 --speed "$speed" --out "$out_windows" </dev/null
status=$?
[ "$status" -eq 0 ] || { echo "FAIL: pdrcam.exe exited with $status"; tail -n 20 "$work/sim.log"; exit 1; }

failures=0 pictures=0
for source in "$work"/served/[0-9][0-9][0-9]_*_[0-9][0-9][0-9][0-9].jpg; do
  name=$(basename "$source")
  number=$((10#${name%%_*}))
  pictures=$((pictures + 1))
  picture=$(printf '%s/PIC%05d.JPG' "$out_unix" "$number")
  cmp -s "$source" "$picture" || { echo "FAIL: picture $number differs"; failures=$((failures + 1)); }
  # Thumbnails: a movie's still alone, or the still at the start of 14336 bytes.
  still=${source%.jpg}_thumb.jpg
  thumbnail=$(printf '%s/THM%05d.JPG' "$out_unix" "$number")
  cmp -s -n "$(stat -c %s "$still")" "$still" "$thumbnail" || {
    echo "FAIL: thumbnail $number differs"; failures=$((failures + 1)); }
done
[ "$pictures" -gt 0 ] || { echo "FAIL: the simulator exported no pictures"; exit 1; }
[ "$failures" -eq 0 ] || exit 1
echo "pdrcam.exe under Wine: $pictures pictures and thumbnails match"

# Ctrl-C at the erase question, typed on a terminal, ends the run at once as
# interrupted, without waiting for Enter, and erases nothing.
status=$(python3 "$(dirname "$0")/interrupt_at_prompt.py" "[y/N]" \
  "$wine_run" "$pdrcam" erase last --port 3 --speed "$speed") || {
  echo "FAIL: Ctrl-C at the erase question did not end pdrcam.exe"; exit 1; }
[ "$status" -eq 130 ] || { echo "FAIL: Ctrl-C at the erase question gave exit $status, not 130"; exit 1; }
listing=$("$wine_run" "$pdrcam" list --port 3 --speed "$speed" </dev/null | tr -d '\r')
echo "$listing" | grep -q "^$pictures pictures," || {
  echo "FAIL: after Ctrl-C at the erase question the camera no longer holds $pictures pictures:"
  echo "$listing" | tail -n 3; exit 1; }
echo "pdrcam.exe under Wine: Ctrl-C at the erase question ended with 130, nothing erased"
