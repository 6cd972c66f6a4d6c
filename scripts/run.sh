#!/usr/bin/env bash
# Builds Quellbright and runs it under Wine, in a Wine prefix of its own.
#
#   scripts/run.sh [--demo] [program arguments...]
#
#   --demo   first registers sample browser helper objects in the prefix, so
#            that a first scan shows something real.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

demo=0
if [ "${1:-}" = --demo ]; then
  demo=1
  shift
fi

ensure_packages cmake make mingw-w64 wine wine64 fonts-wine xvfb x11-utils imagemagick fp-utils nsis \
  osslsigncode openssl

say "Building"
build_windows --target quellbright --target sample_helper >/dev/null

use_wine_prefix "$QB_DATA_HOME/wine"
virtual=0
if ! display_works; then
  start_virtual_display
  virtual=1
fi
start_wine
trap 'stop_wine; [ -n "${QB_XVFB_PID:-}" ] && kill "$QB_XVFB_PID" 2>/dev/null || true' EXIT
set_window_management $([ $virtual = 1 ] && echo N || echo Y)
# Debian's Wine looks for its own fonts (MS Sans Serif, the program's font,
# and Marlett, which draws the title-bar buttons) where fonts-wine does not
# put them; the prefix's Fonts folder is where a Windows installation has them.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" ||
  say "Wine's own fonts could not be copied: the program shows stand-in fonts"

# The program folder inside the prefix, as an installation would have it;
# the user's lists and backups there survive a new build.
folder="$WINEPREFIX/drive_c/Program Files/Quellbright"
mkdir -p "$folder"
cp "$QB_BUILD/win/program/quellbright.exe" "$QB_BUILD/win/program/CLSIDs.txt" \
  "$QB_BUILD/win/program/help.chm" "$folder/"

if [ $demo = 1 ]; then
  say "Registering sample browser helper objects (see samples/demo_objects.reg)"
  mkdir -p "$folder/Samples"
  cp "$QB_BUILD/win/samples/SampleHelper.dll" "$folder/Samples/"
  timeout 60 wine regedit /s "$(winepath -w "$QB_BUILD/win/samples/demo_objects.reg" 2>/dev/null)" \
    </dev/null >/dev/null 2>&1 || die "regedit could not merge the samples"
fi


if [ $virtual = 1 ]; then
  say "No display here: Quellbright runs on the virtual display $DISPLAY."
  say "Take a screenshot from another shell with:  DISPLAY=$DISPLAY import -window root shot.png"
fi
say "Running Quellbright (close it, or press Ctrl+C here, to end)"
cd "$folder"
wine quellbright.exe "$@" </dev/null
