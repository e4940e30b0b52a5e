#!/usr/bin/env bash
# The window program started as a person starts it the first time: on a program
# folder that holds nothing yet, on a desktop with a window manager (which
# decides the frame's decorations after the window exists, the moment its
# layout is most often caught out). The folder must get the default files, the
# window must open without an error, and the toolkit must have nothing to say
# about our controls. Runs under a private virtual X server of its own.
#   first_start_test.sh PATH/TO/sorvane
set -euo pipefail
program=$1

# Everything from here runs inside the private X server.
if [[ -z "${SORVANE_FIRST_START_INSIDE:-}" ]]; then
  export SORVANE_FIRST_START_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash "$0" "$program"
fi

work=$(mktemp -d)
wm=
app=
trap 'kill $app $wm 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir "$work/home"

fail() {
  echo "first start: $*" >&2
  [[ -s "$work/stderr" ]] && cat "$work/stderr" >&2
  exit 1
}

export NO_AT_BRIDGE=1 WEBKIT_DISABLE_COMPOSITING_MODE=1
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
# The window manager runs its start-up command once it manages the screen.
openbox --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 1 600); do
  [[ -e "$work/wm-ready" ]] && break
  sleep 0.05
done
[[ -e "$work/wm-ready" ]] || fail "the window manager did not start"

"$program" --home "$work/home" 2>"$work/stderr" &
app=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Sorvane$|- Sorvane$' | head -n 1) ||
  fail "the main window did not appear"
# Closed as a person closes it, through the window manager.
xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
timeout 30 tail --pid="$app" -f /dev/null || fail "the program did not end after its window was closed"
status=0
wait "$app" || status=$?
app=
[[ $status -eq 0 ]] || fail "the program ended with status $status"

for name in engines.dat categories.dat index.htm banner0.jpg banner1.jpg; do
  [[ -s "$work/home/$name" ]] || fail "the new program folder did not get $name"
done
grep -q "Error" "$work/stderr" && fail "the program reported an error"
# GTK's own menu bar, allocated a pixel high for a moment while the toolkit
# shows the frame, asserts once; a frame with nothing but a menu bar does the
# same, so that line is the toolkit's. Anything else is ours.
if grep "Gtk-" "$work/stderr" | grep -v "gtk_distribute_natural_allocation: assertion 'extra_space >= 0' failed" | grep -q .; then
  fail "the toolkit warned about the window's controls"
fi
echo "first start: the folder was given its files and the window opened and closed cleanly"
