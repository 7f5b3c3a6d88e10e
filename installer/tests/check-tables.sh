#!/usr/bin/env bash
# check-tables.sh MSI: reads the package's tables with msiinfo and checks what
# the installer promises: the shipped files and nothing else, one component
# per file with the file as its key, the logon Run entry and the taskbar
# switch, each feature's parts, the major-upgrade row, and the per-machine
# install.
set -u
msi=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/installer-tables.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# table NAME: the table's rows (after its three header lines), tab-separated.
table() { msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4 | sort; }

files=$(table File | cut -f3 | sort | tr '\n' ' ')
[ "$files" = "Peltrix.dll Tolvarc.dll Vesko.exe WEBPOST.DLL Zephyne.exe comm32.dll pdrcam.exe " ] ||
  fail "the package ships '$files'"
# Every file is the key of its own component in the install folder; the two
# registry components are keyed by their values.
keys=$(table Component | awk -F'\t' '{ print $1 ":" $3 ":" $6 }' | tr '\n' ' ')
[ "$keys" = "Applet:INSTALLDIR:VeskoExe AppletResources:INSTALLDIR:TolvarcDll CameraLibrary:INSTALLDIR:PeltrixDll CameraProgram:INSTALLDIR:PdrcamExe MakerFolder:OrvoFolder: Publisher:INSTALLDIR:ZephyneExe SerialLibrary:INSTALLDIR:Comm32Dll ShowInTaskbar:INSTALLDIR:$(table Registry | awk -F'\t' '$6 == "ShowInTaskbar" { print $1 }') StartAtLogon:INSTALLDIR:$(table Registry | awk -F'\t' '$6 == "StartAtLogon" { print $1 }') WebPublishingLibrary:INSTALLDIR:WebpostDll " ] ||
  fail "components and their keys: $keys"
file_components=$(table File | awk -F'\t' '{ print $1 ":" $2 }' | tr '\n' ' ')
[ "$file_components" = "Comm32Dll:SerialLibrary PdrcamExe:CameraProgram PeltrixDll:CameraLibrary TolvarcDll:AppletResources VeskoExe:Applet WebpostDll:WebPublishingLibrary ZephyneExe:Publisher " ] ||
  fail "files and their components: $file_components"


registry=$(table Registry)
grep -q $'\t2\tSoftware\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Run\tVesko\t"\[INSTALLDIR\]Vesko.exe" -s\tStartAtLogon$' <<<"$registry" ||
  fail "no Run entry for Vesko -s: $registry"
grep -q $'\t1\tSoftware\\\\Orvo\\\\Vesko\\\\Sdk\tEnableVeskoInTaskbar\t#1\tShowInTaskbar$' <<<"$registry" ||
  fail "no EnableVeskoInTaskbar=1 under the applet's Sdk key: $registry"
grep -q $'^RemoveMakerFolder\tMakerFolder\t\tOrvoFolder\t2$' <<<"$(table RemoveFile)" ||
  fail "the maker's folder is not removed on uninstall"
[ "$(wc -l <<<"$registry")" = 2 ] || fail "the package writes other registry values: $registry"

features=$(table FeatureComponents | tr '\t' ':' | tr '\n' ' ')
expected="Applet:Applet Applet:AppletResources Applet:MakerFolder Camera:CameraLibrary Camera:CameraProgram Camera:MakerFolder Camera:SerialLibrary Publisher:MakerFolder Publisher:Publisher StartUp:MakerFolder StartUp:ShowInTaskbar StartUp:StartAtLogon WebPublishing:MakerFolder WebPublishing:WebPublishingLibrary "
[ "$features" = "$expected" ] || fail "features hold '$features'"

upgrade=$(table Upgrade)
code=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "UpgradeCode" { print $2 }')
[ -n "$code" ] && grep -q "^$code" <<<"$upgrade" || fail "the upgrade table does not find earlier versions: $upgrade"
[ "$(wc -l <<<"$upgrade")" = 2 ] || fail "the upgrade table has not one row for older and one for newer: $upgrade"
msiinfo export "$msi" Property | tr -d '\r' | grep -q $'^ALLUSERS\t1$' || fail "the package is not per machine"
msiinfo export "$msi" Property | tr -d '\r' | grep -q $'^REMOVEUSERSETTINGS\t0$' ||
  fail "REMOVEUSERSETTINGS does not default to 0"

[ "$failures" -eq 0 ] && echo "the package's tables hold what it promises" || exit 1
