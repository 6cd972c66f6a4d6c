# Shared by run.sh and test.sh: packages, builds, the Wine prefix and the
# display. Sourced, not run.

QB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QB_BUILD=${QB_BUILD:-$QB_ROOT/build}
QB_DATA_HOME=${XDG_DATA_HOME:-$HOME/.local/share}/quellbright
QB_CACHE_HOME=${XDG_CACHE_HOME:-$HOME/.cache}/quellbright

say() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

# Installs the Debian packages that are missing; quick when none is.
ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "Installing ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# Configures and builds the Windows program (and its end-to-end tests).
# Warnings are errors: a build that warns is not done.
build_windows() {
  local dir=$QB_BUILD/win
  cmake -S "$QB_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQB_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$QB_ROOT/cmake/toolchain-mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$dir" -j"$(nproc)" "$@"
}

# The Wine environment of a prefix of the project's own.
use_wine_prefix() {
  export WINEPREFIX=$1
  export WINEDEBUG=${WINEDEBUG:--all}
  # Never offer to install Mono or Gecko into the prefix.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # Tests compare 8-bit text: the ANSI code page follows the locale.
  export LC_ALL=C.UTF-8
  mkdir -p "$(dirname "$WINEPREFIX")"
}

# Starts the wineserver detached from our pipes, so that nothing waiting on
# our output waits on Wine's services; creates the prefix on first use.
start_wine() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "Creating the Wine prefix $WINEPREFIX (once, about 15 seconds)"
    timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || die "wineboot failed"
  fi
  # Fails harmlessly when a server already runs for the prefix.
  timeout 30 wineserver -p 60 </dev/null >/dev/null 2>&1 || true
  timeout 120 wine wineboot </dev/null >/dev/null 2>&1 || true
}

stop_wine() {
  timeout 30 wineserver -k </dev/null >/dev/null 2>&1 || true
}

# Wine's X11 window management: off under Xvfb, where no window manager
# answers and every hide would stall, on for a real desktop.
set_window_management() {
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f \
    </dev/null >/dev/null 2>&1
}

display_works() {
  [ -n "${DISPLAY:-}" ] && timeout 5 xdpyinfo >/dev/null 2>&1
}

# Starts a virtual display and exports DISPLAY; it stops when the shell exits.
# Another Xvfb may take the same number at the same moment: ours then ends,
# and the next number is tried.
start_virtual_display() {
  local number waited
  for number in $(seq 90 120); do
    [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    QB_XVFB_PID=$!
    export DISPLAY=":$number"
    # A loaded machine can take many seconds to bring a server up.
    for waited in $(seq 300); do
      kill -0 "$QB_XVFB_PID" 2>/dev/null || break
      display_works && break
      sleep 0.1
    done
    if kill -0 "$QB_XVFB_PID" 2>/dev/null && display_works; then
      trap 'kill "$QB_XVFB_PID" 2>/dev/null' EXIT
      return 0
    fi
    kill "$QB_XVFB_PID" 2>/dev/null || true
  done
  die "no display number was free for Xvfb"
}
