# Sourced by the test and run scripts: a private Wine prefix, its own Xvfb, Japanese locale.
# Call wine_env_start <state-dir> and wine_env_stop; only what was started here is stopped.

wine_env_vars() {
  local state="$1"
  export WINEPREFIX="$state/wineprefix" WINEARCH=win64 WINEDEBUG=-all LC_ALL=ja_JP.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # A null ALSA device lets .wav play with no sound card.
  export XDG_CONFIG_HOME="$state/xdg"
  mkdir -p "$XDG_CONFIG_HOME/alsa"
  printf 'pcm.!default { type null }\nctl.!default { type null }\n' > "$XDG_CONFIG_HOME/alsa/asoundrc"
}

wine_prefix_prepare() {
  local here; here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  [ -f "$WINEPREFIX/.mb-ready" ] && return 0
  echo "preparing Wine prefix $WINEPREFIX (once)"
  rm -rf "$WINEPREFIX"; mkdir -p "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1 || true
  iconv -f UTF-8 -t UTF-16LE "$here/wine-test-settings.reg.utf8" | { printf '\377\376'; cat; } > "$WINEPREFIX/drive_c/settings.reg"
  wine regedit /S 'C:\settings.reg' >/dev/null 2>&1
  cp /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
     "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w
  touch "$WINEPREFIX/.mb-ready"
}

xvfb_start() {
  local state="$1" n
  mkdir -p "$state"
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! > "$state/xvfb.pid"
    local i
    for i in $(seq 1 50); do
      if [ -e "/tmp/.X11-unix/X$n" ]; then export DISPLAY=":$n"; return 0; fi
      kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
      sleep 0.1
    done
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2; return 1
}

wine_env_start() {
  local state="$1"
  wine_env_vars "$state"
  xvfb_start "$state"
  wine_prefix_prepare
  wineserver -p
  # Start Wine's services now, away from any output pipe: services started by the
  # first test would hold ctest's pipe open until they exit.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  local state="$1"
  [ -n "${WINEPREFIX:-}" ] && { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
}
