#!/usr/bin/env bash
# The package's whole life on one fresh machine: install, what it placed and
# wrote, the applet started from its logon entry, a repair, an upgrade to a
# higher version, an uninstall that keeps the user's settings and one that
# was asked to remove them.
. "$(dirname "$0")/installer-env.sh"
fresh_prefix lifecycle
sdk='HKCU\Software\Orvo\Vesko\Sdk'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

msi /i "$(winpath "$SUITE_MSI")" || fail "the install failed"
listed=$(cd "$unix_dir" 2>/dev/null && ls | sort | tr '\n' ' ')
expected=$(printf '%s\n' "${shipped[@]}" | sort | tr '\n' ' ')
[ "$listed" = "$expected" ] && pass "installed: $listed" ||
  fail "the install folder holds '$listed', not '$expected'"
for file in "${shipped[@]}"; do
  version=$(probe version "$win_dir\\$file")
  [ "$version" = "$SUITE_VERSION" ] || fail "$file has version '$version', not $SUITE_VERSION"
done
pdrcam_version=$("$wine" "$unix_dir/pdrcam.exe" --version </dev/null 2>/dev/null | tr -d '\r')
[[ "$pdrcam_version" == "pdrcam $SUITE_VERSION "* ]] && pass "$pdrcam_version" ||
  fail "pdrcam --version says '$pdrcam_version'"

run=$(probe run-entry Vesko)
[ "$run" = "\"$win_dir\\Vesko.exe\" -s" ] && pass "Run entry: $run" || fail "the Run entry is '$run'"
[ "$(reg_value "$sdk" EnableVeskoInTaskbar)" = 0x1 ] || fail "EnableVeskoInTaskbar is not 1"
started=$(probe start-applet "$run")
[ "$started" = "marker window and tray icon" ] && pass "the applet runs from its Run entry" ||
  fail "the applet started from its Run entry showed '$started'"
end_server
start_server

# A repair as msiexec /f asks for it (Wine's msiexec does not take /f itself).
rm -f "$unix_dir/Tolvarc.dll"
msi /i "$(winpath "$SUITE_MSI")" REINSTALL=ALL REINSTALLMODE=omus || fail "the repair failed"
cmp -s "$unix_dir/Tolvarc.dll" "$SUITE_STAGE/Tolvarc.dll" && pass "the repair restored Tolvarc.dll" ||
  fail "the repair did not restore Tolvarc.dll"

# The next version: the same files packed with a higher version number. The
# installer compares the first three fields only, so a release raises one of them.
IFS=. read -r major minor patch tweak <<<"$SUITE_VERSION"
higher=$major.$minor.$((patch + 1)).$tweak
cp -r "$SUITE_STAGE" "$work/stage"
(cd "$work/stage" && wixl -a x86 -D Version="$higher" -o "$work/next.msi" suite.wxs) ||
  fail "the higher version could not be packed"
echo "an older build" >"$unix_dir/Vesko.exe"
msi /i "$(winpath "$work/next.msi")" || fail "the upgrade failed"
products=$(probe products "$upgrade_code")
[ "$(echo "$products" | grep -c .)" = 1 ] && [[ "$products" == "$higher "* ]] &&
  pass "one product after the upgrade: $products" || fail "after the upgrade: '$products'"
cmp -s "$unix_dir/Vesko.exe" "$SUITE_STAGE/Vesko.exe" || fail "the upgrade did not replace Vesko.exe"

# A setting the applet keeps for its user: the uninstall leaves it.
"$wine" reg add 'HKCU\Software\Orvo\Vesko\Download' /v Path /t REG_SZ /d 'D:\Album' /f \
  </dev/null >/dev/null 2>&1 || fail "the user setting could not be written"
msi /x "$(winpath "$work/next.msi")" || fail "the uninstall failed"
[ ! -e "$WINEPREFIX/drive_c/Program Files (x86)/Orvo" ] || fail "the Orvo folder is still there"
[ -z "$(probe run-entry Vesko)" ] || fail "the Run entry is still there"
[ -z "$(probe products "$upgrade_code")" ] || fail "a product is still registered"
[ -z "$(reg_value "$sdk" EnableVeskoInTaskbar)" ] || fail "EnableVeskoInTaskbar is still there"
[ "$(reg_value 'HKCU\Software\Orvo\Vesko\Download' Path)" = 'D:\Album' ] &&
  pass "uninstalled; the user's settings stay" || fail "the uninstall took the user's settings"

msi /i "$(winpath "$SUITE_MSI")" || fail "the second install failed"
msi /x "$(winpath "$SUITE_MSI")" REMOVEUSERSETTINGS=1 || fail "the second uninstall failed"
reg_key_exists 'HKCU\Software\Orvo\Vesko' && fail "REMOVEUSERSETTINGS=1 left the settings" ||
  pass "REMOVEUSERSETTINGS=1 removed the user's settings"
[ ! -e "$WINEPREFIX/drive_c/Program Files (x86)/Orvo" ] || fail "the Orvo folder is still there"
finish
