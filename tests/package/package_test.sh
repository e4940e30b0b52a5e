#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a temporary
# root and checks what a user of it would meet: the file list, the programs
# running from there (the CLI's network helper found in libexec), the menu
# entry, the metainfo and the manual pages passing their validators, and
# lintian without errors (its warnings are printed).
#   package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The package, written to a folder of our own so no stale one is checked.
(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/out/sorvane_${version}_amd64.deb
[[ -f $deb ]] || fail "no $(basename "$deb") in: $(ls "$work/out")"

# Its files: the expected ones, and nothing outside the places a package of
# this program may use.
dpkg-deb -x "$deb" "$work/root"
(cd "$work/root" && find . -type f | sed 's,^\./,/,' | sort) >"$work/files"
expected=(
  /usr/bin/sorvane /usr/bin/sorvane-cli /usr/libexec/sorvane/sorvane-cli-net
  /usr/share/applications/sorvane.desktop
  /usr/share/metainfo/example.sorvane.Sorvane.metainfo.xml
  /usr/share/man/man1/sorvane.1.gz /usr/share/man/man1/sorvane-cli.1.gz
  /usr/share/bash-completion/completions/sorvane-cli
  /usr/share/doc/sorvane/copyright /usr/share/doc/sorvane/changelog.gz
)
for size in 16 24 32 48 64 128 256; do expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/sorvane.png"); done
for data in "$source"/data/*; do [[ -f $data ]] && expected+=("/usr/share/sorvane/$(basename "$data")"); done
[[ -f $build/bin/sorvane.htb ]] && expected+=(/usr/share/sorvane/sorvane.htb)
for file in "${expected[@]}"; do grep -qxF "$file" "$work/files" || fail "the package lacks $file"; done
if stray=$(grep -vE '^/usr/(bin/sorvane(-cli)?|libexec/sorvane/[^/]+|share/(sorvane|applications|metainfo|man/man1|bash-completion/completions|doc/sorvane|icons/hicolor/[0-9]+x[0-9]+/apps)/[^/]+)$' "$work/files"); then
  fail "files in unexpected places: $stray"
fi

# The programs run from the unpacked root, and the CLI finds its helper there.
root=$work/root/usr
[[ $("$root/bin/sorvane-cli" --version) == "Sorvane $version" ]] || fail "sorvane-cli --version: $("$root/bin/sorvane-cli" --version)"
[[ $(env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/sorvane" --version) == "Sorvane $version" ]] || fail "sorvane --version"
home=$work/home
mkdir -p "$home"
"$root/bin/sorvane-cli" --home "$home" search --help | grep '^usage: sorvane-cli .*search' >/dev/null ||
  fail "the packaged sorvane-cli does not reach its network helper"
# A first run with no program folder seeds the per-user folder from the package's defaults.
HOME=$home XDG_DATA_HOME=$home/data SORVANE_HOME='' "$root/bin/sorvane-cli" engines >"$work/engines"
[[ -s $work/engines && -f $home/data/sorvane/engines.dat ]] || fail "the defaults were not found beside the packaged programs"

# The desktop's and software centre's validators, and the manual pages.
desktop-file-validate "$root/share/applications/sorvane.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/share/metainfo/example.sorvane.Sorvane.metainfo.xml" || fail "appstreamcli validate"
for page in sorvane sorvane-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "man $page: $warnings"
done

# lintian: errors fail the test; warnings are shown for the record.
status=0
lintian --fail-on error --display-level '>=warning' "$deb" >"$work/lintian" 2>&1 || status=$?
grep -v 'root privileges' "$work/lintian" || true
((status == 0)) || fail "lintian reports errors"
echo "package ok: $(basename "$deb"), $(wc -l <"$work/files") files"
