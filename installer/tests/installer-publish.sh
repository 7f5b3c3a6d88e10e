#!/usr/bin/env bash
# The publisher as installed: with the Web Publishing feature it finds the
# WEBPOST.DLL beside it and publishes a folder to a real WebDAV server; a
# machine installed without that feature shows Missing Component. Run under
# webpost's testing/with-servers, which passes the server in WEBPOST_TEST_DAV_URL.
. "$(dirname "$0")/installer-env.sh"
# Only nginx's WebDAV is needed here; another server missing does not matter.
if [ -z "${WEBPOST_TEST_DAV_URL:-}" ]; then
  echo "the WebDAV server could not be started: ${WEBPOST_TEST_SERVERS_MISSING:-}" >&2
  exit 1
fi
shot=$SUITE_BUILD_DIR/bin/window-shot.exe
publish_key='HKCU\Software\Orvo\Orvo Lumetto\Web\Publish'

# publish ALBUM URL PNG: Zephyne from the install folder publishes ALBUM to
# URL as the imaging application asks it to; prints the dialog it ended with.
publish() {
  for setting in "SiteName REG_SZ Installed album" "LocalDir REG_SZ $(winpath "$1")" \
                 "URL REG_SZ $2" "ShowWizard REG_DWORD 0" "HomePage REG_SZ $2/index.html"; do
    read -r name type data <<<"$setting"
    "$wine" reg add "$publish_key" /v "$name" /t "$type" /d "$data" /f </dev/null >/dev/null 2>&1 ||
      fail "the publish setting $name could not be written"
  done
  "$wine" "$unix_dir/Zephyne.exe" </dev/null >/dev/null 2>&1 &
  local zephyne=$!
  local shown
  shown=$("$wine" "$shot" --title "Save Completed" --title "Missing Component" \
          --out "$(winpath "$3")" --wait 120 --press 1 </dev/null 2>&1 | tr -d '\r' |
          sed -n 's/^found "\(.*\)"$/\1/p')
  # Pressed, the dialog lets Zephyne end; a Zephyne that showed neither is ended.
  [ -n "$shown" ] || { end_server; start_server; }
  wait "$zephyne"
  echo "$shown"
}

fresh_prefix publish
msi /i "$(winpath "$SUITE_MSI")" || fail "the install failed"
mkdir -p "$work/album"
printf '<html><body>installed</body></html>\n' >"$work/album/index.html"
head -c 3000 /dev/urandom >"$work/album/picture.jpg"
site=$WEBPOST_TEST_DAV_URL/installed
outcome=$(publish "$work/album" "$site" "$work/outcome.png")
[ "$outcome" = "Save Completed" ] && pass "the installed Zephyne published" ||
  fail "the installed Zephyne showed '$outcome', not Save Completed"
for file in index.html picture.jpg; do
  curl -fsS "$site/$file" -o "$work/fetched" && cmp -s "$work/fetched" "$work/album/$file" ||
    fail "$file did not arrive unchanged"
done

fresh_prefix without-webpost
msi /i "$(winpath "$SUITE_MSI")" ADDLOCAL=Camera,Applet,StartUp,Publisher ||
  fail "the install without Web Publishing failed"
[ -f "$unix_dir/Zephyne.exe" ] && [ ! -e "$unix_dir/WEBPOST.DLL" ] ||
  fail "the install without Web Publishing placed the wrong files"
mkdir -p "$work/album"
printf '<html></html>\n' >"$work/album/index.html"
outcome=$(publish "$work/album" "$WEBPOST_TEST_DAV_URL/missing" "$work/outcome.png")
[ "$outcome" = "Missing Component" ] && pass "without Web Publishing: Missing Component" ||
  fail "without Web Publishing Zephyne showed '$outcome'"
finish
