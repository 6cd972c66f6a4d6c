#!/usr/bin/env bash
# Builds the Windows installer of Quellbright with NSIS:
# build/win/quellbright-<version>-setup.exe.
#
#   scripts/package.sh
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages cmake make mingw-w64 wine nsis fp-utils osslsigncode openssl

version=$(sed -n 's/^project(Quellbright VERSION \([0-9.]*\).*/\1/p' "$QB_ROOT/CMakeLists.txt")
[ -n "$version" ] || die "no version in CMakeLists.txt"

say "Building the program and its installer"
# A build tree made before the installer existed learns its target here.
build_windows --target rebuild_cache >/dev/null
build_windows --target installer >/dev/null

setup=$QB_BUILD/win/quellbright-$version-setup.exe
[ -f "$setup" ] || die "the build made no $setup"
say "Built $setup"
