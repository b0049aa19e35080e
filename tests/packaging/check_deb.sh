#!/bin/bash
# Builds the Debian package with cpack, unpacks it into a temporary folder and
# checks what a desktop needs from it: the program, the menu entry, the icons,
# the man page, Qt's Japanese translation, the fontconfig aliases of the faces
# the pages ask for, and the control fields.
# Usage: check_deb.sh CPACK BUILD_DIR VERSION QT_TRANSLATIONS_DIR
set -uo pipefail
cpack=$1 build=$2 version=$3 translations=$4
fontconf=30-tabulink-ms-fonts.conf

if ! command -v dpkg-deb >/dev/null; then
  echo "dpkg-deb is missing: no Debian package can be checked here."
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
arch=$(dpkg --print-architecture)
deb="$work/out/tabulink_${version}_${arch}.deb"
if [ ! -f "$deb" ]; then
  ls -l "$work/out"
  echo "FAIL: expected $deb"
  exit 1
fi

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tabulink ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
for p in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-ipafont-gothic fonts-ipafont-mincho; do
  grep -Eq "(^|, )$p( \([^)]*\))?(,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"
done

# Every file is root's and lies below /usr, but for the link that enables the
# font aliases; nothing of the build tree leaks in.
dpkg-deb -c "$deb" >"$work/contents"
if grep -v -E '^[-dl][rwx-]{9} root/root ' "$work/contents"; then fail "entries not owned by root"; fi
if awk '{print $6}' "$work/contents" |
   grep -v -E "^\./(usr(/.*)?|etc/|etc/fonts/|etc/fonts/conf\.d/|etc/fonts/conf\.d/${fontconf//./\\.})?\$"; then
  fail "entries outside /usr"
fi
if grep -E '(/usr/local|_CPack_Packages|CMakeFiles)' "$work/contents"; then fail "build paths in the package"; fi

root="$work/root"
dpkg-deb -x "$deb" "$root"

# The program, stripped, and every Qt library it loads comes from a package
# it depends on.
bin="$root/usr/bin/tabulink"
[ -x "$bin" ] || fail "usr/bin/tabulink missing or not executable"
if [ -x "$bin" ]; then
  readelf -S "$bin" | grep -q '\.debug_info' && fail "usr/bin/tabulink is not stripped"
  # The package carries the version the program shows (a UTF-16 literal).
  strings -e l "$bin" | grep -q "^Tabulink ver $version " ||
    fail "usr/bin/tabulink does not call itself Tabulink ver $version"
  ldd "$bin" >"$work/ldd"
  qtlibs=$(readelf -d "$bin" | sed -n 's/.*(NEEDED).*\[\(libQt6[^]]*\)\].*/\1/p')
  grep -q libQt6Widgets <<<"$qtlibs" || fail "usr/bin/tabulink does not load Qt 6 Widgets: $qtlibs"
  for lib in $qtlibs; do
    path=$(awk -v lib="$lib" '$1 == lib {print $3}' "$work/ldd")
    owner=$(dpkg -S "$(realpath -e "$path" 2>/dev/null)" 2>/dev/null | head -1 | cut -d: -f1)
    [ -n "$owner" ] || { fail "no package owns $lib ($path)"; continue; }
    grep -Eq "(^|, )$owner( |,|$)" <<<"$depends" || fail "$lib comes from $owner, which Depends lacks"
  done
fi

# Qt's own dialogs and buttons speak Japanese only when the translation the
# program loads is there: the package that holds it must be a dependency.
if [ -x "$bin" ]; then
  if strings -e l "$bin" | grep -qx qtbase_ja; then
    qm="$translations/qtbase_ja.qm"
    owner=$(dpkg -S "$qm" 2>/dev/null | head -1 | cut -d: -f1)
    if [ -z "$owner" ]; then
      fail "no package holds $qm (package qt6-translations-l10n; scripts/deps.sh installs it)"
    else
      grep -Eq "(^|, )$owner( |,|$)" <<<"$depends" || fail "qtbase_ja comes from $owner, which Depends lacks"
    fi
  else
    fail "usr/bin/tabulink does not load Qt's Japanese translation qtbase_ja"
  fi
fi

# The font aliases, enabled by a link in conf.d as Debian does it, and what
# fontconfig makes of the faces once they are in place: the machine's own
# configuration with the package's link added.
avail="/usr/share/fontconfig/conf.avail/$fontconf"
[ -f "$root$avail" ] || fail "${avail#/} missing"
[ "$(readlink "$root/etc/fonts/conf.d/$fontconf")" = "$avail" ] ||
  fail "etc/fonts/conf.d/$fontconf does not link to $avail"
if ! command -v fc-match >/dev/null || [ ! -f /etc/fonts/fonts.conf ]; then
  fail "fontconfig is missing: the font aliases cannot be checked"
elif [ -f "$root$avail" ]; then
  fc="$work/fontconfig"
  mkdir -p "$fc/conf.d"
  for f in /etc/fonts/conf.d/*.conf; do ln -s "$(realpath "$f")" "$fc/conf.d/$(basename "$f")"; done
  ln -sf "$root$avail" "$fc/conf.d/$fontconf"
  sed "s#<include ignore_missing=\"yes\">conf.d</include>#<include>$fc/conf.d</include>#" \
    /etc/fonts/fonts.conf >"$fc/fonts.conf"
  for pair in "ＭＳ 明朝=IPAMincho" "ＭＳ Ｐゴシック=IPAPGothic"; do
    face=${pair%%=*} want=${pair#*=}
    got=$(FONTCONFIG_FILE="$fc/fonts.conf" fc-match -f '%{family[0]}' "$face")
    [ "$got" = "$want" ] || fail "fc-match '$face' gives '$got', not $want"
  done
fi

# The menu entry.
desktop="$root/usr/share/applications/tabulink.desktop"
if [ ! -f "$desktop" ]; then
  fail "usr/share/applications/tabulink.desktop missing"
else
  if command -v desktop-file-validate >/dev/null; then
    # Hints count too: one says the entry would land in a catch-all menu.
    validation=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$validation" ] ||
      fail "desktop-file-validate: $validation"
  else
    fail "desktop-file-validate is missing (package desktop-file-utils; scripts/deps.sh installs it)"
  fi
  key() { grep -m1 "^$1=" "$desktop" | cut -d= -f2-; }
  [ "$(key Exec)" = tabulink ] || fail "Exec is '$(key Exec)'"
  [ "$(key Icon)" = tabulink ] || fail "Icon is '$(key Icon)'"
  [ "$(key Type)" = Application ] || fail "Type is '$(key Type)'"
  grep -q '^Name\[ja\]=.*[^ -~]' "$desktop" || fail "no Japanese Name[ja]"
  grep -q '^Comment\[ja\]=.*[^ -~]' "$desktop" || fail "no Japanese Comment[ja]"
  [ -n "$(key Categories)" ] || fail "no Categories"
fi

# The icons: the SVG, and a PNG of the size its folder names at every size.
icons="$root/usr/share/icons/hicolor"
grep -q '<svg' "$icons/scalable/apps/tabulink.svg" 2>/dev/null || fail "scalable/apps/tabulink.svg missing"
for size in 16 22 24 32 48 64 128 256; do
  png="$icons/${size}x${size}/apps/tabulink.png"
  if [ ! -f "$png" ]; then fail "${size}x${size}/apps/tabulink.png missing"; continue; fi
  # PNG signature, then the IHDR chunk: width and height as 32-bit big-endian numbers.
  hex=$(od -An -tx1 -N24 -v "$png" | tr -d ' \n')
  [ "${hex:0:16}" = 89504e470d0a1a0a ] || { fail "$png is no PNG"; continue; }
  w=$((16#${hex:32:8})) h=$((16#${hex:40:8}))
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "$png is ${w}x${h}, not ${size}x${size}"
done

# The man pages, compressed, naming the program and its version.
for page in tabulink tabulink-batch; do
  man="$root/usr/share/man/man1/$page.1.gz"
  if [ ! -f "$man" ]; then
    fail "usr/share/man/man1/$page.1.gz missing"
    continue
  fi
  gzip -t "$man" || fail "the man page $page.1.gz is no valid gzip file"
  zcat "$man" | grep -q "^\.TH ${page^^} 1 .*Tabulink $version" || fail "the .TH line of $page.1 lacks the version"
  if command -v groff >/dev/null; then
    warnings=$(zcat "$man" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "groff warns about the man page $page.1: $warnings"
  fi
done

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "$(basename "$deb"): all checks passed"
