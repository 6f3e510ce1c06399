#!/usr/bin/env bash
# Builds tetherly.exe and runs it under Wine in a private prefix (build/run),
# on your display or on Xvfb when there is none. Before it starts, every host
# list is pointed at loopback servers started here, so nothing leaves this
# machine. Stop it with the tray menu's Exit, or Ctrl+C here.
set -euo pipefail
cd "$(dirname "$0")/.."

# --client aol|cs2000|netzero|att|msn|prodigy|juno: try a watcher by hand
# (see README); handled further down.
client=""
if [ "${1:-}" = "--client" ]; then
  client=${2:-}
  case "$client" in
    aol|cs2000|netzero|att|msn|prodigy|juno) ;;
    *) echo "usage: $0 [--client aol|cs2000|netzero|att|msn|prodigy|juno]" >&2; exit 2 ;;
  esac
fi
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
  # A user's own copy of the settings would stand in front of these.
  echo '[-HKEY_CURRENT_USER\SOFTWARE\Quillmark\Tetherly]'
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
  # The MSN mail check on the loopback POP3 server, which takes any login.
  echo "[$root\\MSN\\POP3]"
  echo '"Server Name"="127.0.0.1"'
  # Marks the program's own web host as visited, so it is never contacted from here.
  echo "[$root\\Settings]"
  echo '"Access"=dword:00000001'
} > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1

# ---- --client: a stand-in client and the recorder in place of the real ones ----
# The stand-in shows the client's windows (tests/support/standin/trees/); its
# "Program Path" and the browser (http and .htm handlers) are the recorder,
# so nothing real starts. After Exit, what the stand-in got is printed.
if [ -n "$client" ]; then
  cmake --build build/win -j "$(nproc)" --target standin_client cmdline_recorder >/dev/null
  support=build/win/tests/support
  recorder_win=$(winepath -w "$PWD/$support/cmdline_recorder.exe" 2>/dev/null)
  rm -f "$run/standin.log" "$run/recorder.log"
  export TETHERLY_RECORDER_LOG=$(winepath -w "$run/recorder.log" 2>/dev/null)
  esc() { printf '%s' "$1" | sed 's/\\/\\\\/g'; }
  nz_win=""
  if [ "$client" = netzero ]; then
    mkdir -p "$run/netzero"
    cp "$support/standin_client.exe" "$run/netzero/nzStart.exe"
    nz_win=$(winepath -w "$run/netzero/nzStart.exe" 2>/dev/null)
  fi
  creg=$run/client.reg
  {
    echo 'REGEDIT4'
    echo
    for handler in http htmlfile; do
      echo "[HKEY_CLASSES_ROOT\\$handler\\shell\\open\\command]"
      echo "@=\"\\\"$(esc "$recorder_win")\\\" %1\""
    done
    # Only the chosen client is watched.
    for isp in NetZero ATT MSN; do
      echo "[$root\\$isp]"
      echo '"Stay Online"=dword:00000000'
    done
    if [ "$client" = aol ]; then
      echo "[$root\\AOL Options]"
      for v in "Stay Online" "Launch Browser" "Sign On" "Scan Interval" "Kill Buddy List Window" \
               "Kill Advertisement Window" "Auto Redial" "Launch External Browser"; do
        echo "\"$v\"=dword:00000001"
      done
      echo "\"Program Path\"=\"$(esc "$recorder_win")\""
      echo "[$root\\AOL Options\\Ext Browser Sites]"
      echo '"Default Site"="http://127.0.0.1/"'
      echo "[$root\\CS Options]"
      echo '"Stay Online"=dword:00000000'
    elif [ "$client" = cs2000 ]; then
      echo "[$root\\AOL Options]"
      echo '"Stay Online"=dword:00000000'
      echo "[$root\\CS Options]"
      for v in "Stay Online" "Launch Browser" "Sign On" "Kill Child One Window" \
               "Kill Advertisement Window" "Auto Redial"; do
        echo "\"$v\"=dword:00000001"
      done
      echo "\"Program Path\"=\"$(esc "$recorder_win")\""
    else
      echo "[$root\\AOL Options]"
      echo '"Stay Online"=dword:00000000'
      echo "[$root\\CS Options]"
      echo '"Stay Online"=dword:00000000'
    fi
    case "$client" in
      netzero)
        # The dialer starts the stand-in itself, as nzStart.exe in a folder of its own.
        echo "[$root\\NetZero]"
        for v in "Stay Online" "Use Dialer" "Tray Dial" "Dial At Startup" "Auto Redial"; do
          echo "\"$v\"=dword:00000001"
        done
        echo '"Version"="2.2"'
        echo "\"Program Path\"=\"$(esc "$nz_win")\"" ;;
      att) echo "[$root\\ATT]"; echo '"Stay Online"=dword:00000001' ;;
      msn)
        echo "[$root\\MSN]"; echo '"Stay Online"=dword:00000001'
        echo "[$root\\MSN\\POP3]"
        echo '"Enable POP3"=dword:00000001'
        echo '"Timer Interval"=dword:00000001'
        echo '"Login"="guest"'
        echo '"Password"="guest"' ;;
    esac
  } > "$creg"
  wine regedit /S "$(winepath -w "$creg")" >/dev/null 2>&1
  tree_win=$(winepath -w "$PWD/tests/support/standin/trees/$client.tree")
  if [ "$client" = netzero ]; then
    # Read by the stand-in the dialer starts (it inherits the program's environment).
    export TETHERLY_STANDIN_TREE=$tree_win TETHERLY_STANDIN_LOG=$(winepath -w "$run/standin.log")
  else
    wine "$support/standin_client.exe" --tree "$tree_win" --log "$(winepath -w "$run/standin.log")" \
      >/dev/null 2>&1 &
    pids+=($!)
  fi
  client_report() {
    [ -z "${reported:-}" ] || return 0
    reported=1
    echo
    echo "What the stand-in $client client received (time ms, window, message, wParam, lParam):"
    [ -f "$run/standin.log" ] || return 0
    local freq
    freq=$(awk '$3 == "freq" { print $4; exit }' "$run/standin.log")
    awk -v f=$((16#${freq:-989680})) '
      $6 == "x" || $6 == "p" { if (!t0) t0 = $1; printf "%9.1f  %-10s %-12s %s %s\n", ($1 - t0) * 1000 / f, $2, $3, $4, $5 }
    ' "$run/standin.log"
    grep -o 'cwd:[^ ]*' "$run/standin.log" | sed 's/^cwd:/Started in the folder /' || true
    echo "Programs and pages the launchers started (their parameters):"
    [ -f "$run/recorder.log" ] && cut -d' ' -f2- "$run/recorder.log" | sed 's/^/  /'
    return 0
  }
  trap 'client_report; cleanup' EXIT INT TERM
  case "$client" in
    aol|cs2000)
      echo "Stand-in $client client started. Left-click the tray icon: the launcher starts the"
      echo "recorder as the client, signs on, and the watcher answers the prompt every second." ;;
    netzero)
      echo "The NetZero dialer dials at start-up (and on a left click): it starts the stand-in"
      echo "as $run/netzero/nzStart.exe, presses Connect, and once the session windows are up"
      echo "the service starts; the watcher then presses Resume on each inactivity warning." ;;
    *)
      echo "Stand-in $client dialer started. Once the dial-up connection is up the service runs"
      echo "and the watcher answers the prompt, which comes back 15 s after each answer." ;;
  esac
fi

# ---- Dial-up: a simulated library and a loopback profile --------------------
# The program dials "Loopback ISP" at start-up through a simulated rasapi32.dll
# put into the prefix's system folder (the program loads the library from
# there only), which follows build/run/rasapi32-script.txt (written once,
# read again at every dial: edit it to change what the next dial does) and
# logs every call to build/run/rasapi32.log. MOUSE_WALK=1 turns on the idle
# mouse walk (after one still minute; it moves your real pointer).
cmake --build build/win -j "$(nproc)" --target simulated_rasapi32 >/dev/null
cp build/win/tests/support/rasapi32/rasapi32.dll "$WINEPREFIX/drive_c/windows/system32/rasapi32.dll"
rm -f build/win/src/rasapi32.dll  # where earlier runs put it; never loaded from there
ras_script=$run/rasapi32-script.txt
if [ ! -f "$ras_script" ]; then
  cat > "$ras_script" <<'EOF'
# Script of the simulated dial-up library (every line is described at the top
# of tests/support/rasapi32/SimulatedRas.cpp). Delays are in milliseconds.
entry Loopback ISP
# Connects in about four seconds...
state 0 300
state 1 300
state 2 300
state 3 1500
state 4 300
state 5 300
state 6 600
state 14 300
state 8192 300
# ...and the line drops after a minute (the dialog counts down and redials).
drop 60000
EOF
fi
export TETHERLY_RAS_SCRIPT=$(winepath -w "$ras_script") TETHERLY_RAS_LOG=$(winepath -w "$run/rasapi32.log")
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;rasapi32=n,b"
dialup_reg=$run/dialup.reg
{
  echo 'REGEDIT4'
  echo
  echo "[$root\\Modem Dialer]"
  echo '"Use Dialer"=dword:00000001'
  echo '"Profile"="Loopback ISP"'
  echo '"Dial At Startup"=dword:00000001'
  echo '"Reconnect"=dword:00000001'
  echo "[$root\\Modem Dialer\\Loopback ISP]"
  echo '"Login"="guest"'
  echo '"Password"="guest"'
  echo "[$root\\Settings]"
  if [ "${MOUSE_WALK:-0}" = 1 ]; then
    echo '"Simulate Mouse"=dword:00000001'
    echo '"Mouse Timer"=dword:00000001'
  else
    echo '"Simulate Mouse"=dword:00000000'
  fi
} > "$dialup_reg"
wine regedit /S "$(winepath -w "$dialup_reg")" >/dev/null 2>&1

echo "Starting tetherly.exe (right-click its tray icon and choose Exit to stop, or press Ctrl+C)."
wine build/win/src/tetherly.exe
