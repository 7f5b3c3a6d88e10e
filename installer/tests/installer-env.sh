# Sourced by the installer's test scripts. Each scenario gets a Wine prefix of
# its own, made fresh, as a machine that never saw the suite; these helpers
# install into it and ask it what is there. The caller sets SUITE_SOURCE,
# SUITE_BUILD_DIR, SUITE_MSI, SUITE_VERSION and SUITE_STAGE (the folder the
# package was made in, which holds the shipped files).
set -u
: "${SUITE_SOURCE:?}" "${SUITE_BUILD_DIR:?}" "${SUITE_MSI:?}" "${SUITE_VERSION:?}" "${SUITE_STAGE:?}"
wine=/usr/lib/wine/wine
wineserver=/usr/lib/wine/wineserver
probe=$SUITE_BUILD_DIR/bin/install-probe.exe
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# What the package is: its upgrade code, and where a per-machine 32-bit
# package goes on a 64-bit system.
upgrade_code="{$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' "$SUITE_SOURCE/installer/suite.wxs")}"
win_dir='C:\Program Files (x86)\Orvo\Imaging Suite'
shipped=(Peltrix.dll comm32.dll pdrcam.exe Vesko.exe Tolvarc.dll Zephyne.exe WEBPOST.DLL)
failures=0
work=""

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
winpath() { echo "Z:${1//\//\\}"; }

# fresh_prefix NAME: a new prefix, its own Wine server, and a scratch folder;
# both go when the script ends.
fresh_prefix() {
  [ -n "$work" ] && end_prefix
  export WINEPREFIX=$SUITE_BUILD_DIR/installer/prefix-$1
  rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
  "$SUITE_SOURCE/scripts/wine-prefix" "$WINEPREFIX" 96 ||
    { echo "FAIL: no Wine prefix" >&2; exit 1; }
  unix_dir=$WINEPREFIX/drive_c/Program\ Files\ \(x86\)/Orvo/Imaging\ Suite
  start_server
  work=$(mktemp -d "${TMPDIR:-/tmp}/installer-test.XXXXXX")
  trap 'end_prefix' EXIT
}
# One Wine server for the prefix until it is ended; Wine's background processes
# start now, away from the pipes of the commands that follow.
start_server() {
  "$wineserver" -p </dev/null >/dev/null 2>&1
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1
}
# end_server: ends every program of the prefix, as a logoff does.
end_server() {
  "$wineserver" -k </dev/null >/dev/null 2>&1
  "$wineserver" -w </dev/null >/dev/null 2>&1
}
end_prefix() {
  "$wineserver" -k </dev/null >/dev/null 2>&1
  [ -n "$work" ] && rm -rf "$work"
  # A prefix that passed is of no further use; one that failed is kept to look at.
  [ "$failures" -eq 0 ] && rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
}

# msi ARGS...: runs msiexec quietly; prints how long it took; its status. The
# system's own msiexec is the 64-bit one, whatever the package's bitness.
msi() {
  local start end status
  start=$(date +%s.%N)
  /usr/lib/wine/wine64 msiexec "$@" /qn </dev/null >>"$work/msiexec.log" 2>&1
  status=$?
  end=$(date +%s.%N)
  ARGS="$*" awk -v s="$start" -v e="$end" 'BEGIN { printf "msiexec %s: %.1f s\n", ENVIRON["ARGS"], e - s }'
  return $status
}
# probe ARGS...: install-probe's answer. Its output goes through a file, not a
# pipe: a program it starts would hold a pipe open for as long as it runs.
probe() {
  "$wine" "$probe" "$@" </dev/null >"$work/probe.out" 2>>"$work/probe.log"
  tr -d '\r' <"$work/probe.out"
}
# reg_value KEY NAME: the value's data as reg.exe prints it, or nothing.
reg_value() {
  "$wine" reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' |
    awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}
reg_key_exists() { "$wine" reg query "$1" </dev/null >/dev/null 2>&1; }

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; the prefix is kept in $WINEPREFIX" >&2
    [ -f "$work/probe.log" ] && cat "$work/probe.log" >&2
    exit 1
  fi
  exit 0
}
