#!/usr/bin/env bash
# Runs one Windows program in the private prefix under DIR (see wine-prefix.sh).
#   wine-run.sh DIR program.exe [args...]
set -u
dir=$1; shift
export WINEPREFIX="$dir/prefix" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$dir/display" ]; then export DISPLAY=$(cat "$dir/display"); else unset DISPLAY; fi
exec wine "$@"
