# Settings on Debian 12.
#
#   make run     build the program and start it (on a private screen when there is no display)
#   make test    build everything and run every test: `check`, then `check-robust`
#   make check   the unit and end-to-end tests alone (the quick pass while working)
#   make bench   start-up time and peak memory against a bare window with a menu bar, and in-process
#                benchmarks of the popup, a full repaint and the circles' looks
#   make fuzz    build the libFuzzer harnesses with clang and run each for FUZZ_SECONDS
#   make sanitize  the unit tests built with AddressSanitizer and UndefinedBehaviorSanitizer
#   make valgrind  the program under valgrind, from its start through the walk to File > Exit
#   make check-robust  sanitize, fuzz (FUZZ_SECONDS=20) and valgrind
#
# Each command first installs the Debian packages it needs that are missing (as root; otherwise it
# prints the apt-get command to run), then configures with CMake and Ninja and builds.

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c
.ONESHELL:
.DEFAULT_GOAL := help

BUILD ?= build
FUZZ_BUILD ?= build-fuzz
ASAN_BUILD ?= build-asan
JOBS ?= 2
BENCH_RUNS ?= 15
FUZZ_SECONDS ?= 60

PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libjpeg62-turbo-dev libgtest-dev \
            libxcb1-dev xvfb openbox xdotool x11-utils imagemagick fonts-dejavu-core desktop-file-utils
FUZZ_PACKAGES := $(PACKAGES) clang libclang-rt-14-dev
VALGRIND_PACKAGES := $(PACKAGES) valgrind

define SHELL_FUNCTIONS
# Installs those of the given Debian packages that are not installed yet. The package index is
# refreshed only when an install fails for want of it.
ensure_packages() {
  local missing=() package
  for package in "$$@"; do
    [[ "$$(dpkg-query -W -f='$${db:Status-Status}' "$$package" 2>/dev/null)" == installed ]] || missing+=("$$package")
  done
  (( $${#missing[@]} == 0 )) && return 0
  if (( $$(id -u) != 0 )); then
    echo "Some packages are missing. Install them with:" >&2
    echo "  sudo apt-get install -y $${missing[*]}" >&2
    exit 1
  fi
  echo "Installing $${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  local log; log=$$(mktemp)
  if ! apt-get install -y "$${missing[@]}" 2>&1 | tee "$$log"; then
    if ! grep -qE 'Unable to locate package|has no installation candidate|404 +Not Found|Failed to fetch' "$$log"; then
      rm -f "$$log"; exit 1
    fi
    apt-get update
    apt-get install -y "$${missing[@]}"
  fi
  rm -f "$$log"
}

# Configures the build folder (once; Ninja re-runs CMake when a CMakeLists changes) and builds the
# given targets, or everything.
build_targets() {
  [[ -f $(BUILD)/build.ninja ]] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build $(BUILD) -j $(JOBS) $${1:+--target "$$@"}
}

# use_runtime_dir <build folder>: Qt wants a private runtime folder wherever the program runs.
use_runtime_dir() {
  export XDG_RUNTIME_DIR="$$(realpath -m "$$1")/xdg-runtime"
  mkdir -p "$$XDG_RUNTIME_DIR"
  chmod 700 "$$XDG_RUNTIME_DIR"
}

# Starts Xvfb (1024x768x24) on a free display with the openbox window manager, exports DISPLAY, and
# stops both when the recipe ends.
start_private_display() {
  DISPLAY_DIR=$$(mktemp -d)
  trap stop_private_display EXIT
  # Xvfb picks a free display number itself and writes it to the given descriptor.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$$DISPLAY_DIR/display" 2>"$$DISPLAY_DIR/xvfb.log" &
  XVFB_PID=$$!
  wait_for "an X display" 10 test -s "$$DISPLAY_DIR/display"
  export DISPLAY=":$$(<"$$DISPLAY_DIR/display")"
  openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >"$$DISPLAY_DIR/openbox.log" 2>&1 &
  OPENBOX_PID=$$!
  wait_for "the window manager" 10 bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
}
stop_private_display() {
  kill $${OPENBOX_PID:-} $${XVFB_PID:-} 2>/dev/null || true
  wait $${OPENBOX_PID:-} $${XVFB_PID:-} 2>/dev/null || true
  rm -rf "$$DISPLAY_DIR"
}

# wait_exit <pid> <seconds>: waits for a child process to end, killing it when it takes too long;
# sets STATUS to its exit status.
wait_exit() {
  ( trap - EXIT; sleep "$$2"; kill "$$1" 2>/dev/null ) &
  local watchdog=$$!
  STATUS=0
  wait "$$1" || STATUS=$$?
  kill "$$watchdog" 2>/dev/null || true
}

# wait_for <what> <seconds> <command...>: polls the command until it succeeds.
wait_for() {
  local what=$$1 tenths=$$(( $$2 * 10 )); shift 2
  until "$$@" >/dev/null 2>&1; do
    (( tenths-- > 0 )) || { echo "Gave up waiting for $$what" >&2; return 1; }
    sleep 0.1
  done
}
endef

.PHONY: help run test check bench fuzz sanitize valgrind check-robust

help:
	@echo "make run     build the program and start it (on a private screen when there is no display)"
	@echo "make test    build everything and run every test: check, then check-robust"
	@echo "make check   the unit and end-to-end tests alone"
	@echo "make bench   start-up time and peak memory against a bare window, and in-process benchmarks"
	@echo "make fuzz    run the libFuzzer harnesses for FUZZ_SECONDS each (default $(FUZZ_SECONDS))"
	@echo "make sanitize  run the unit tests built with AddressSanitizer and UndefinedBehaviorSanitizer"
	@echo "make valgrind  run the program under valgrind through the walk to File > Exit"
	@echo "make check-robust  sanitize, fuzz for 20 s each and valgrind"

run:
	@$(SHELL_FUNCTIONS)
	ensure_packages $(PACKAGES)
	build_targets Settings
	use_runtime_dir $(BUILD)
	if [[ -n "$${DISPLAY:-}" ]]; then exec $(BUILD)/app/Settings; fi
	# No display: show the program on a private one, photograph it, and close it as a user would.
	start_private_display
	$(BUILD)/app/Settings &
	program=$$!
	wait_for 'the window "Setup"' 30 xdotool search --onlyvisible --name '^Setup$$'
	window=$$(xdotool search --onlyvisible --name '^Setup$$' | head -n 1)
	sleep 2
	import -window root $(BUILD)/screenshot.png
	xdotool windowactivate --sync "$$window" key --clearmodifiers alt+F4
	wait_exit $$program 15
	echo "Settings ended with exit code $$STATUS. Its window is pictured in $(BUILD)/screenshot.png"
	exit $$STATUS

test:
	start=$$SECONDS
	$(MAKE) --no-print-directory check
	echo "make check passed after $$(( SECONDS - start )) s"
	$(MAKE) --no-print-directory check-robust
	echo "make test passed in $$(( SECONDS - start )) s"

check:
	@$(SHELL_FUNCTIONS)
	ensure_packages $(PACKAGES)
	build_targets
	use_runtime_dir $(BUILD)
	cd $(BUILD)
	ctest -j 2 --output-on-failure

bench:
	@$(SHELL_FUNCTIONS)
	ensure_packages $(PACKAGES)
	build_targets StartupBench SettingsProbe BareWindowProbe InProcessBench
	use_runtime_dir $(BUILD)
	start_private_display
	$(BUILD)/bench/StartupBench --runs $(BENCH_RUNS) $(BUILD)/bench/SettingsProbe $(BUILD)/bench/BareWindowProbe
	$(BUILD)/bench/InProcessBench --runs $(BENCH_RUNS)

fuzz:
	@$(SHELL_FUNCTIONS)
	ensure_packages $(FUZZ_PACKAGES)
	[[ -f $(FUZZ_BUILD)/build.ninja ]] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSETTINGS_FUZZ=ON -DSETTINGS_SANITIZE=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	use_runtime_dir $(FUZZ_BUILD)
	export LSAN_OPTIONS="suppressions=$$PWD/tests/fuzz/lsan.supp"
	for harness in $(FUZZ_BUILD)/tests/fuzz/*Fuzz; do
	  name=$$(basename "$$harness")
	  corpus=$(FUZZ_BUILD)/corpus/$$name
	  mkdir -p "$$corpus"
	  seeds=(); [[ -d tests/fuzz/corpus/$$name ]] && seeds=(tests/fuzz/corpus/$$name)
	  echo "== $$name for $(FUZZ_SECONDS) s"
	  "$$harness" -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/ \
	    "$$corpus" "$${seeds[@]}"
	done

# The unit tests (not the end-to-end ones) with every memory error, undefined behaviour and leak of our
# code failing the test; tests/CMakeLists.txt gives them the sanitizers' options.
sanitize:
	@$(SHELL_FUNCTIONS)
	ensure_packages $(PACKAGES)
	[[ -f $(ASAN_BUILD)/build.ninja ]] || cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSETTINGS_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	use_runtime_dir $(ASAN_BUILD)
	cd $(ASAN_BUILD)
	ctest -j 2 -LE e2e --output-on-failure

valgrind:
	@$(SHELL_FUNCTIONS)
	ensure_packages $(VALGRIND_PACKAGES)
	build_targets Settings
	start_private_display
	tests/valgrind/run.sh $(BUILD)/app/Settings $(BUILD)/valgrind

check-robust:
	start=$$SECONDS
	$(MAKE) --no-print-directory sanitize
	echo "make sanitize passed after $$(( SECONDS - start )) s"
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=20
	echo "make fuzz passed after $$(( SECONDS - start )) s"
	$(MAKE) --no-print-directory valgrind
	echo "make valgrind passed after $$(( SECONDS - start )) s"
