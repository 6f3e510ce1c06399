#!/usr/bin/env bash
# Builds tetherly.exe and runs it under Wine in a private prefix (build/run),
# on your display or on Xvfb when there is none. Before it starts, every host
# list is pointed at loopback servers started here, so nothing leaves this
# machine. Stop it with the tray menu's Exit, or Ctrl+C here.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/win -j "$(nproc)" --target tetherly loopback_servers 2>/dev/null \
  || cmake --build build/win -j "$(nproc)" --target tetherly

run=$PWD/build/run
mkdir -p "$run"
export WINEPREFIX="$run/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  bash scripts/wine-prefix.sh stop "$run" >/dev/null 2>&1 || true
}
trap cleanup EXIT INT TERM

if [ -z "${DISPLAY:-}" ]; then
  # No display: a private Xvfb, on a display number of its own choosing.
  bash scripts/wine-prefix.sh setup "$run" x11 >/dev/null
  export DISPLAY=$(cat "$run/display")
  echo "No display: running on Xvfb $DISPLAY"
else
  [ -f "$WINEPREFIX/system.reg" ] || wine wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
  # Unmanaged windows, as in the Xvfb case: without a window manager Wine
  # waits about 2 s for each destroyed top-level window (splash, last icon).
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi

# Loopback servers for every service (when built), and the host lists on them.
servers=build/win/tests/support/loopback_servers.exe
if [ -f "$servers" ]; then
  wine "$servers" 127.0.0.1 >/dev/null 2>&1 &
  pids+=($!)
fi
reg=$run/loopback-hosts.reg
root='HKEY_LOCAL_MACHINE\SOFTWARE\Quillmark\Tetherly'
{
  echo 'REGEDIT4'
  echo
  echo "[$root\\Services]"
  echo '"Hosts Added"=dword:00000001'
  for key in HTTP FTP Echo Discard "Time Server"; do
    echo "[$root\\Services\\$key]"
    echo '"0"="127.0.0.1"'
    echo '"Dedicated"="127.0.0.1"'
  done
  echo "[$root\\Services\\User Defined]"
  echo '"0"="127.0.0.1:7"'
  echo '"Dedicated"="127.0.0.1:7"'
  # Marks the program's own web host as visited, so it is never contacted from here.
  echo "[$root\\Settings]"
  echo '"Access"=dword:00000001'
} > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1

echo "Starting tetherly.exe (right-click its tray icon and choose Exit to stop, or press Ctrl+C)."
wine build/win/src/tetherly.exe
