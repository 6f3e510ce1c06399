#!/usr/bin/env bash
# Runs one Windows program in the private prefix under DIR (see wine-prefix.sh).
#   wine-run.sh DIR program.exe [args...]
set -u
dir=$1; shift
# The prefix's own overrides, then any the test adds (e.g. "rasapi32=n,b").
export WINEPREFIX="$dir/prefix" WINEDEBUG=${WINEDEBUG:--all} \
  WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
if [ -f "$dir/display" ]; then export DISPLAY=$(cat "$dir/display"); else unset DISPLAY; fi
exec wine "$@"
