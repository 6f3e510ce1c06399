#!/usr/bin/env bash
# The installer in a fresh Wine prefix of its own (null graphics driver):
# silent install, what it left, an upgrade over a settings key that an
# earlier version opened to the Users group, the installed program starting
# and ending, then a silent uninstall while the program runs, and what
# remains.
#   installer_test.sh SETUP.exe CHECK.exe DIR
set -u
setup=$1 check=$2 dir=$3
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TETHERLY_TIME_SCALE=0.01
unset DISPLAY
wineserver -k >/dev/null 2>&1
rm -rf "$dir"; mkdir -p "$dir"
status=0
step() { echo "== $*"; }
fail() { echo "FAIL $*"; status=1; }

step "fresh prefix"
wine wineboot -i >/dev/null 2>&1 || { echo "wineboot failed"; exit 1; }
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -k; wineserver -w

step "tetherly-setup.exe /S /WINSTART"
wine "$setup" /S /WINSTART || fail "setup exited $?"
wine "$check" installed 1 || status=1

step "an upgrade over a key an earlier version opened to Users"
wine "$check" grant-old || status=1
wine "$setup" /S /WINSTART || fail "setup exited $?"
wine "$check" upgraded || status=1
wine "$check" installed 1 || status=1

step "the installed program starts and exits"
wine "$check" prepare || status=1
exe='C:\Program Files\Tetherly\tetherly.exe'
wine "$exe" & pid=$!
wine "$check" exit || status=1
wait $pid || fail "tetherly.exe exited $?"

step "uninstall.exe /S while the program runs"
wine "$exe" & pid=$!
wine "$check" wait-window || status=1
wine 'C:\Program Files\Tetherly\uninstall.exe' /S || fail "uninstaller exited $?"
wait $pid
# The uninstaller goes on from a copy of itself: wait for every process.
timeout 120 wineserver -w || fail "the prefix did not come to rest"
wine "$check" uninstalled || status=1

wineserver -k >/dev/null 2>&1
rm -rf "$dir"
exit $status
