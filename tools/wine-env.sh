# Sourced by run.sh and test.sh: a private Wine prefix, a persistent wineserver
# and, when no display is given, a private Xvfb. Everything started here is
# ended by wine_env_stop, which the callers run from an EXIT trap.

wine_env_start() {
  local build=$1
  export WINEPREFIX="$build/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  KELVRA_LOGS="$build/logs"
  mkdir -p "$KELVRA_LOGS"

  KELVRA_XVFB_PID=
  if [ -z "${DISPLAY:-}" ] || [ "${KELVRA_OWN_DISPLAY:-0}" = 1 ]; then
    local n
    for n in $(seq 91 140); do
      [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$KELVRA_LOGS/xvfb.log" 2>&1 &
    KELVRA_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
  fi

  if [ ! -f "$WINEPREFIX/.kelvra-ready" ]; then
    echo "wine: preparing a private prefix in $WINEPREFIX (first time only)"
    wineboot -i >"$KELVRA_LOGS/wineboot.log" 2>&1 || true
    wineserver -w
    # Without a window manager Wine must draw frames itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$KELVRA_LOGS/wineboot.log" 2>&1
    wineserver -w
    touch "$WINEPREFIX/.kelvra-ready"
  fi
  wineserver -p >"$KELVRA_LOGS/wineserver.log" 2>&1 </dev/null
  # Start the prefix's services now, with their output in a file: started by
  # the first test instead, they would inherit its output pipe and keep ctest
  # waiting for that test until its time-out.
  wineboot >>"$KELVRA_LOGS/wineboot.log" 2>&1 </dev/null || true
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "${KELVRA_XVFB_PID:-}" ]; then
    kill "$KELVRA_XVFB_PID" 2>/dev/null || true
    wait "$KELVRA_XVFB_PID" 2>/dev/null || true
  fi
}
