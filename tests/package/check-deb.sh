#!/usr/bin/env bash
# Builds the Debian package from this build tree into a scratch folder,
# unpacks it with dpkg -x as it would land on a system, and checks that
# every file is where the desktop and Debian look for it, that the desktop
# entry, the AppStream metadata and the file type are valid and agree with
# one another, and that the unpacked programs run.
# Arguments: BUILD_DIR SOURCE_DIR. Exit 77 (skipped) when a tool is missing.
set -uo pipefail
build=$1
source=$2
id=io.github.quenwick.Quenwick

for tool in cpack dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli update-mime-database groff gzip; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/setup-deps installs it)"; exit 77; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
deb=$(ls "$scratch"/out/quenwick_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || { echo "FAIL: no quenwick_*.deb written"; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# The libraries were worked out, not left empty.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6widgets6 libc6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
done

root=$scratch/root
dpkg -x "$deb" "$root"
share=$root/usr/share
for f in usr/bin/quenwick usr/bin/quenwick-cli \
         usr/share/applications/$id.desktop \
         usr/share/metainfo/$id.metainfo.xml \
         usr/share/mime/packages/$id.xml \
         usr/share/icons/hicolor/scalable/apps/$id.svg \
         usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/$id.png \
         usr/share/man/man1/quenwick.1.gz usr/share/man/man1/quenwick-cli.1.gz \
         usr/share/doc/quenwick/userguide.html \
         usr/share/bash-completion/completions/quenwick-cli; do
  [ -f "$root/$f" ] || fail "missing /$f"
done
for f in usr/bin/quenwick usr/bin/quenwick-cli; do
  [ -x "$root/$f" ] || fail "/$f is not executable"
done
# Nothing outside /usr (no build paths, no test programs).
stray=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$stray" ] || fail "files outside /usr: $stray"
extra=$(cd "$root/usr/bin" && ls | grep -vx -e quenwick -e quenwick-cli)
[ -z "$extra" ] || fail "unexpected programs in /usr/bin: $extra"

# Each picture the guide shows is in the package beside it.
for img in $(grep -o '<img src="[^"]*"' "$share/doc/quenwick/userguide.html" | sed 's/<img src="//;s/"$//'); do
  [ -f "$share/doc/quenwick/$img" ] || fail "the user guide shows $img, which is not installed"
done

desktop=$share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"

# The entry, the icon and the file type name the same things.
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the entry's icon $icon is not installed"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$root/usr/bin/${exec_line%% *}" ] || fail "Exec=$exec_line does not name an installed program"
mimetype=$(sed -n 's/^MimeType=//p' "$desktop" | tr -d ';')
grep -q "type=\"$mimetype\"" "$share/mime/packages/$id.xml" || fail "MimeType=$mimetype is not the installed file type"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not launch $id.desktop"

# The file type compiles, by name and by content.
update-mime-database "$share/mime" 2>"$scratch/mime.log" || { cat "$scratch/mime.log"; fail "update-mime-database"; }
grep -qx "[0-9]*:$mimetype:\*\.qwk" "$share/mime/globs2" || fail "*.qwk is not $mimetype"
grep -aq 'start:Quenwick' "$share/mime/magic" || fail "no content rule for start:Quenwick"

# The manual pages are valid roff.
for page in quenwick quenwick-cli; do
  out=$(gzip -dc "$share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1) || fail "groff on $page.1"
  [ -z "$out" ] || fail "groff warns on $page.1: $out"
done

# The unpacked programs run (the designer's --version needs no display).
version=$(sed -n 's/^project(Quenwick VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
[ "$("$root/usr/bin/quenwick-cli" --version)" = "quenwick-cli $version" ] || fail "quenwick-cli --version"
[ "$("$root/usr/bin/quenwick" --version)" = "quenwick $version" ] || fail "quenwick --version"
"$root/usr/bin/quenwick-cli" show "$source/examples/demo/demo.qwk" >/dev/null || fail "quenwick-cli show"

[ $failures -eq 0 ] && echo "package checks passed"
exit $((failures > 0))
