#!/usr/bin/env bash
# Every kind of file quenwick-cli writes, saved onto a full file system: the
# command must fail with the system's reason and leave the old file as it was,
# both when not one byte fits and when the disk fills part-way through.
# Needs root for a small tmpfs of its own; reported as skipped (77) otherwise.
set -uo pipefail
cli=$1
demo=$2
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: mounting a small tmpfs needs root"
  exit 77
fi
mnt=$(mktemp -d)
if ! mount -t tmpfs -o size=256k tmpfs "$mnt" 2>/dev/null; then
  echo "skipped: cannot mount a tmpfs here"
  rmdir "$mnt"
  exit 77
fi
trap 'umount "$mnt"; rmdir "$mnt"' EXIT

failures=0
web=$mnt/web
mkdir -p "$web"
sets=(--set "prjFilWebRoot=$web" --set "prjFilJS=$web/qmenu.js" --set "prjFilCSS=$web/qmenu.css")

# A copy of the demo's web folder with its style sheet, the old contents of
# every target, then the disk filled to the brim, or with one page left free
# so that a file of more than a page fails part-way through.
prepare() {
  rm -rf "${mnt:?}"/*
  cp -r "$(dirname "$demo")/web" "$web"
  "$cli" css "$demo" --tree --out "$web/qmenu.css" >/dev/null
  for f in "$mnt/p.qwk" "$mnt/other.css" "$web/qmenu.js" "$web/sample.html" "$web/qmenu.sm.html"; do
    printf 'old contents\r\n' > "$f"
  done
  dd if=/dev/zero of="$mnt/fill" bs=4k 2>/dev/null
  if [ "$1" = partway ]; then
    truncate -s -8192 "$mnt/fill"
  fi
}

# expect NAME TARGET COMMAND...: the command fails, names the reason, and the
# target still holds its old contents.
expect() {
  local name=$1 target=$2
  shift 2
  local err
  err=$("$@" 2>&1 >/dev/null)
  local rc=$?
  if [ $rc -eq 0 ]; then
    echo "FAIL $name: exit 0 on a full disk"; failures=$((failures + 1))
  elif ! grep -q "No space left on device" <<<"$err"; then
    echo "FAIL $name: no reason given: $err"; failures=$((failures + 1))
  elif [ "$(cat "$target")" != $'old contents\r' ]; then
    echo "FAIL $name: $target was changed"; failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

# A value long enough that a project file does not fit in two pages.
long=$(printf 'x%.0s' {1..9000})
prepare full
expect "save" "$mnt/p.qwk" "$cli" save "$demo" --out "$mnt/p.qwk"
expect "new" "$mnt/p.qwk" "$cli" new --out "$mnt/p.qwk"
expect "css" "$mnt/other.css" "$cli" css "$demo" --tree --out "$mnt/other.css"
expect "run" "$web/qmenu.js" "$cli" run "$demo" "${sets[@]}"
expect "sample" "$web/sample.html" "$cli" sample "$demo" "${sets[@]}" --out "$web/sample.html"
expect "sitemap" "$web/qmenu.sm.html" "$cli" sitemap "$demo" "${sets[@]}"
# Part-way: the first pages are written before the disk is full.
prepare partway
expect "save part-way" "$mnt/p.qwk" "$cli" save "$demo" --out "$mnt/p.qwk" --set "prjFilAppRoot=$long"
expect "new part-way" "$mnt/p.qwk" "$cli" new --out "$mnt/p.qwk" --set "prjFilAppRoot=$long"
expect "run part-way" "$web/qmenu.js" "$cli" run "$demo" "${sets[@]}"
[ $failures -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "all passed"
