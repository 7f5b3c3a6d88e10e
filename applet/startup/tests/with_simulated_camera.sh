#!/usr/bin/env bash
# Runs a Windows test program with the simulated camera of the native build
# on a Wine COM port: the simulator serves its built-in pictures on a
# pseudo-terminal, linked into the prefix as COM<port>, and writes the
# pictures it serves to a folder. The program learns both through its
# environment:
#   SUITE_SIM_EXPORT  the Windows path of the served pictures' folder
#   SUITE_SIM_STOP    a Windows path; creating that file ends the simulator
#                     at once, as a camera that is unplugged
# Usage: with_simulated_camera.sh WINE_RUN PDR_SIM PORT PROGRAM [ARGS...]
# Exits with the program's status; without a simulator, 77 (skipped; under CI
# a failure instead).
set -u
wine_run=$1 sim=$2 port=$3
shift 3
if [ ! -x "$sim" ]; then
  if [ -n "${CI:-}" ]; then
    echo "FAIL: no native simulator at $sim, and CI runs every build"
    exit 1
  fi
  echo "SKIP: no native simulator at $sim (build the native flavour first)"
  exit 77
fi
prefix=${WINEPREFIX:-$(cd "$(dirname "$wine_run")" && pwd)/wineprefix}
export WINEPREFIX=$prefix
"$wine_run" cmd /c exit </dev/null >/dev/null 2>&1

work=$(mktemp -d "${TMPDIR:-/tmp}/suite-sim.XXXXXX")
com=$prefix/dosdevices/com$port
saved=$(readlink "$com" 2>/dev/null || true)
sim_pid= watch_pid=
cleanup() {
  [ -n "$watch_pid" ] && kill "$watch_pid" 2>/dev/null
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null; fi
  rm -f "$com"
  [ -n "$saved" ] && ln -sfn "$saved" "$com"
  rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/../../../sim/program/simulated-camera.sh"
start_simulated_camera "$sim" "$work" --export "$work/served" || { echo "FAIL: no camera"; exit 1; }
mkdir -p "$prefix/dosdevices"
ln -sfn "$pty" "$com"

# The unplugged camera: the program asks for it by creating the stop file.
( while [ ! -e "$work/stop" ]; do sleep 0.05; done; kill "$sim_pid" ) &
watch_pid=$!

export SUITE_SIM_EXPORT="Z:${work//\//\\}\\served"
export SUITE_SIM_STOP="Z:${work//\//\\}\\stop"
"$wine_run" "$@"
