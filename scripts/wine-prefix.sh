#!/usr/bin/env bash
# Sets up or tears down a private Wine prefix for the Windows tests.
#   wine-prefix.sh setup DIR null|x11   create DIR/prefix (once), start a persistent wineserver
#                                        (and, for x11, an Xvfb whose display goes to DIR/display)
#   wine-prefix.sh stop DIR             stop that wineserver (and Xvfb)
set -u
cmd=$1 dir=$2 mode=${3:-null}
mkdir -p "$dir"
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -f "$dir/xvfb.pid" ]; then kill "$(cat "$dir/xvfb.pid")" >/dev/null 2>&1 || true; rm -f "$dir/xvfb.pid" "$dir/display"; fi
}

case "$cmd" in
  setup)
    stop
    if [ "$mode" = x11 ]; then
      fifo="$dir/displayfd"; rm -f "$fifo"; mkfifo "$fifo"
      Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
      echo $! > "$dir/xvfb.pid"
      read -r -t 20 num < "$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
      rm -f "$fifo"
      echo ":$num" > "$dir/display"
      export DISPLAY=":$num"
      driver=x11
    else
      unset DISPLAY
      driver=null
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wine wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; exit 1; }
    fi
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$driver" /f >/dev/null 2>&1
    # Unmanaged top-level windows: without a window manager Wine otherwise waits
    # about 2 s for each destroyed one (the splash, the tray's last icon).
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # The desktop started above predates the driver choice (on a new prefix it
    # has none, and no window can be created): restart so it takes the driver,
    # and bring the services up here, not in a test whose output they would hold.
    wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
    wineserver -p >/dev/null 2>&1
    wine wineboot >/dev/null 2>&1
    echo "wine prefix ready ($driver)"
    ;;
  stop)
    stop
    echo "wine prefix stopped"
    ;;
  *) echo "usage: $0 setup|stop DIR [null|x11]" >&2; exit 2 ;;
esac
