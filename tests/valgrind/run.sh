#!/usr/bin/env bash
# The program under valgrind's memcheck, from its start through the help window, the walk through the
# popups, typing a base address and the IRQ popup, to File > Exit, on the X display in DISPLAY (`make
# valgrind` gives it a private one, Xvfb with openbox), driven with xdotool as a person would. Fails
# when valgrind finds a memory error or a definite leak that the system libraries' suppressions
# (system.supp beside this script) do not name, or when the program does not end by itself with exit
# code 0.
#
#   tests/valgrind/run.sh <Settings executable> [output folder]
#
# The output folder (default: valgrind/ beside the executable's folder) receives valgrind.log, with a
# suppression entry printed under each finding, and program.log.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
out=$(realpath -m "${2:-$(dirname "$program")/../valgrind}")
mkdir -p "$out"
rm -f "$out/valgrind.log" "$out/program.log"
export XDG_RUNTIME_DIR="$out/xdg-runtime"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
started=$SECONDS

step() { echo "[$(( SECONDS - started )) s] $*"; }

# wait_for <what> <seconds> <command...>: polls the command until it succeeds.
wait_for() {
  local what=$1 tenths=$(( $2 * 10 )); shift 2
  until "$@" >/dev/null 2>&1; do
    if (( tenths-- <= 0 )); then
      echo "Gave up waiting for $what" >&2
      return 1
    fi
    if [[ -n ${valgrind_pid:-} ]] && ! kill -0 "$valgrind_pid" 2>/dev/null; then
      echo "The program ended while waiting for $what" >&2
      return 1
    fi
    sleep 0.1
  done
}

cleanup() {
  [[ -n ${valgrind_pid:-} ]] && kill "$valgrind_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

if [[ -z ${DISPLAY:-} ]]; then
  echo "No X display: run it through make valgrind, which gives it a private one" >&2
  exit 2
fi

# The visible window captioned exactly so.
window() { xdotool search --onlyvisible --name "^$1\$" | head -n 1; }
shown() { [[ -n $(window "$1") ]]; }
hidden() { [[ -z $(window "$1") ]]; }
# click_at <window> <x> <y>: a left click at a point of the window's client area.
click_at() { xdotool mousemove --window "$1" "$2" "$3" sleep 0.3 click 1; }
# The client size of a window, as WIDTH and HEIGHT.
size_of() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

step "starting Settings under valgrind"
valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
  --error-exitcode=99 --num-callers=40 --track-origins=yes --gen-suppressions=all --child-silent-after-fork=yes \
  --suppressions="$here/system.supp" --log-file="$out/valgrind.log" \
  "$program" >"$out/program.log" 2>&1 &
valgrind_pid=$!

wait_for 'the window "Setup"' 600 shown Setup
step "the main window is up"
wait_for "the help window" 300 shown "Instructions for Settings utility"
help=$(window "Instructions for Settings utility")
step "the help window is up; Start"
# Start stands centred at the bottom of the help window, 8 pixels above its edge.
size_of "$help"
click_at "$help" $(( WIDTH / 2 )) $(( HEIGHT - 20 ))
wait_for "the Base Address popup" 120 shown "Base Address"

# Next walks the Settings menu's entries and wraps round: four steps lead back to the first popup.
walk=("Base Address" "IRQ Enable" "Buffer Enabling" "IRQ Level" "Base Address")
for (( i = 0; i < 4; ++i )); do
  popup=$(window "${walk[i]}")
  step "Next in ${walk[i]}"
  # Next stands centred above the status bar: its middle is 31 pixels above the client's bottom.
  size_of "$popup"
  click_at "$popup" $(( WIDTH / 2 )) $(( HEIGHT - 31 ))
  wait_for "the ${walk[i + 1]} popup" 120 shown "${walk[i + 1]}"
done

step "typing an address into the base address edit"
popup=$(window "Base Address")
# BaseEdit: 41 x 21 at (24, 40) of the option panel, which fills the popup's top left.
click_at "$popup" 44 50
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 150 3f0
sleep 2

step "Settings > IRQ Level"
main=$(window Setup)
xdotool windowactivate --sync "$main"
sleep 1
xdotool key --clearmodifiers alt+s
sleep 2
xdotool key --clearmodifiers i
wait_for "the IRQ Level popup" 120 shown "IRQ Level"
sleep 2

step "File > Exit"
xdotool windowactivate --sync "$main"
sleep 1
xdotool key --clearmodifiers alt+f
sleep 2
xdotool key --clearmodifiers e
# valgrind writes its leak report while the program ends, which takes a while.
for (( tenths = 6000; tenths > 0; --tenths )); do
  kill -0 "$valgrind_pid" 2>/dev/null || break
  sleep 0.1
done
status=0
if (( tenths == 0 )); then
  echo "The program did not end after File > Exit" >&2
  status=124
else
  wait "$valgrind_pid" || status=$?
fi
valgrind_pid=
step "the program ended with exit code $status"

grep -E "ERROR SUMMARY|definitely lost|indirectly lost|suppressed:" "$out/valgrind.log" | sed 's/^==[0-9]*== /  /'
case $status in
  0) echo "valgrind found no memory error and no definite leak outside the system libraries" ;;
  99) echo "valgrind found errors; see $out/valgrind.log" >&2 ;;
  *) echo "the program ended with exit code $status; see $out/program.log" >&2 ;;
esac
exit "$status"
