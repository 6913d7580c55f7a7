#!/bin/sh
# usage: check-deb.sh BUILD_DIR
# Makes the Debian package from a build, has lintian check it (no errors),
# then unpacks it into a temporary folder and checks what a system would get:
# the layout under /usr, the desktop entries naming /usr/lib/dorvel, the
# computed and the hand-named dependencies, and programs that start from the
# unpacked tree and find their data.
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-deb: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/package/dorvel_*_amd64.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no dorvel_<version>_amd64.deb was made"
lintian --fail-on error "$deb" > "$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian reports errors"; }

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6widgets6 libmicrohttpd12 xdg-utils gstreamer1.0-plugins-good; do
    echo "$depends" | grep -q "$d" || fail "Depends lacks $d: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
home="$root/usr/lib/dorvel"
for f in dorvel dorvel-cli VTX "DVLang/English (UK).vtc" DVLang/Deutsch.vtc DVHelp Buttons/tick.gif \
         DorvelTemplates "Samples/General Knowledge.vtd"; do
    [ -e "$home/$f" ] || fail "missing /usr/lib/dorvel/$f"
done
for f in bin/dorvel bin/dorvel-cli bin/VTX share/mime/packages/dorvel.xml share/icons/hicolor/scalable/apps/dorvel.svg \
         share/doc/dorvel/copyright share/doc/dorvel/changelog.gz; do
    [ -e "$root/usr/$f" ] || fail "missing /usr/$f"
done
grep -q '^Exec=/usr/lib/dorvel/dorvel openShellCall %f$' "$root/usr/share/applications/dorvel.desktop" \
    || fail "the editor's desktop entry does not start /usr/lib/dorvel/dorvel"
grep -q '^Exec=/usr/lib/dorvel/VTX' "$root/usr/share/applications/dorvel-vtx.desktop" \
    || fail "the player's desktop entry does not start /usr/lib/dorvel/VTX"

# The links in usr/bin are relative, so the unpacked tree runs as installed.
cd "$work"
unset DORVEL_HOME || true
HOME="$work" "$root/usr/bin/dorvel-cli" show "$home/Samples/General Knowledge.vtd" > shown.txt || fail "dorvel-cli show failed"
grep -q 'General Knowledge' shown.txt || fail "dorvel-cli show printed no test name"
echo "check-deb: $(basename "$deb") passes lintian and runs from its unpacked tree"
