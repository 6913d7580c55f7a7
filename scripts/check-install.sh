#!/bin/sh
# usage: check-install.sh BUILD_DIR
# Installs a build into a fresh prefix and checks that the installed programs
# start from there and find their data: dorvel-cli shows an installed sample
# from another folder, and the editor starts offscreen, gets through its
# start-up checks (language packs, Buttons, DorvelTemplates) and takes a
# second start's set.
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d)
editor_pid=
cleanup() {
    [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log"; fail "install failed"; }
home="$prefix/lib/dorvel"
for f in dorvel dorvel-cli VTX "DVLang/English (UK).vtc" DVLang/Deutsch.vtc DVSounds/s19.wav DVHelp/LinksDV.html \
         DVHelp/S08Start.htm Buttons/tick.gif "Samples/General Knowledge.vtd"; do
    [ -e "$home/$f" ] || fail "missing $home/$f"
done
for f in bin/dorvel bin/dorvel-cli bin/VTX share/applications/dorvel.desktop share/applications/dorvel-vtx.desktop \
         share/mime/packages/dorvel.xml share/icons/hicolor/scalable/apps/dorvel.svg; do
    [ -e "$prefix/$f" ] || fail "missing $prefix/$f"
done
for entry in dorvel dorvel-vtx; do
    exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/$entry.desktop")
    case "$exec_line" in
        \"*) program=${exec_line#\"}; program=${program%%\"*} ;;
        *) program=${exec_line%% *} ;;
    esac
    [ -x "$program" ] || fail "$entry.desktop starts $program, which is not an installed program"
done
grep -q 'Exec=.*openShellCall %f' "$prefix/share/applications/dorvel.desktop" || fail "the editor's entry does not pass openShellCall %f"
grep -q 'MimeType=application/x-dorvel-bank;' "$prefix/share/applications/dorvel-vtx.desktop" || fail "the player's entry does not take banks"

# The programs run through the links in bin, from an unrelated folder.
cd "$work"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
       XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME/Software" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DORVEL_HOME || true
# DORVEL_HOME is for the build's own programs under test: an installed program
# (even of a build with tests) keeps to its own installation folder.
mkdir -p "$work/not-an-installation"
DORVEL_HOME="$work/not-an-installation" "$prefix/bin/dorvel-cli" expand "$home/Samples/General Knowledge.vtd" 1 \
    > /dev/null || fail "an installed dorvel-cli took its templates from DORVEL_HOME"
"$prefix/bin/dorvel-cli" show "$home/Samples/General Knowledge.vtd" > shown.txt || fail "dorvel-cli show failed"
grep -q 'General Knowledge' shown.txt || fail "dorvel-cli show printed no test name"

# Not asked about file associations (this prefix is not the desktop's).
printf '[General]\nregistryWarningNeeded=0\n' > "$XDG_CONFIG_HOME/Software/BorvaneVantricDV.conf"
"$prefix/bin/dorvel" > editor.log 2>&1 &
editor_pid=$!
started=
for _ in $(seq 1 100); do
    if grep -q '^firstLaunch=0' "$XDG_CONFIG_HOME/Software/BorvaneVantricDV.conf" 2>/dev/null; then
        started=yes
        break
    fi
    kill -0 "$editor_pid" 2>/dev/null || { cat editor.log >&2; fail "the editor ended during start-up"; }
    sleep 0.2
done
[ -n "$started" ] || { cat editor.log >&2; fail "the editor did not get through its start-up"; }
cp "$home/Samples/General Knowledge.vtd" quiz.vtd
timeout 20 "$prefix/bin/dorvel" openShellCall "$work/quiz.vtd" || fail "a second start did not hand over to the running editor"
kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended after the second start"
kill "$editor_pid"
wait "$editor_pid" 2>/dev/null || true
editor_pid=
echo "check-install: installed programs start from $prefix and find their data"
