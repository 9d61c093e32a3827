#!/usr/bin/env bash
# Builds the suite and runs MBTimer in the tray under Wine, in a demo folder with
# sample pictures and a schedule whose first entry fires within a minute or two.
# On a desktop the tray icon appears on your screen; without one (no DISPLAY) a
# private Xvfb is started and a screenshot is saved after the entry has fired.
# Ctrl-C (or "終了(&X)" in the tray menu) ends it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
bash "$root/scripts/install-deps.sh"
source "$root/scripts/wine-env.sh"

mkdir -p "$build"
echo "building (Windows, cross-compiled) ..."
cmake -S "$root" -B "$build/windows" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >"$build/run-configure.log" 2>&1
cmake --build "$build/windows" -j"$(nproc)" --target MBTimer MBTimerH >"$build/run-build.log" 2>&1 \
  || { tail -n 30 "$build/run-build.log"; exit 1; }

demo="$build/demo"
rm -rf "$demo"; mkdir -p "$demo/WallPics"
cp "$build/windows/bin/MBTimer.exe" "$build/windows/bin/MBTimerH.exe" "$demo/"
font=$(fc-match -f '%{file}' IPAGothic)
convert -size 800x600 plasma:steelblue-khaki -font "$font" -pointsize 48 -fill white -annotate +40+80 'デモ A' "BMP3:$demo/WallPics/a.bmp"
convert -size 1024x768 gradient:navy-orange -font "$font" -pointsize 48 -fill white -annotate +40+80 'デモ B' "$demo/WallPics/b.jpg"
convert -size 640x480 pattern:checkerboard -scale 400% -font "$font" -pointsize 48 -fill red -annotate +40+80 'デモ C' "$demo/WallPics/c.jpeg"
python3 - "$demo/chime.wav" <<'PY'
import math, struct, sys, wave
w = wave.open(sys.argv[1], 'wb'); w.setnchannels(1); w.setsampwidth(2); w.setframerate(22050)
w.writeframes(b''.join(struct.pack('<h', int(8000 * math.sin(2 * math.pi * f * i / 22050)))
                       for f in (660, 880) for i in range(11025)))
w.close()
PY

# The first entry fires at the next minute (the one after, when that is too close).
sec=$((10#$(date +%S)))
offset=1; [ "$sec" -ge 45 ] && offset=2
until_first=$(( 60 - sec + (offset - 1) * 60 ))
first=$(date -d "+$offset min" +%H:%M)
second=$(date -d "+$((offset + 1)) min" +%H:%M)
wav_path='Z:'$(printf '%s' "$demo/chime.wav" | tr '/' '\\')
{
  printf '[TimeSet]\r\n'
  printf '%s=7,デモ：$Time$ になりました。壁紙を変えて音を鳴らします,%s\r\n' "$first" "$wav_path"
  printf '%s=3,$Time$ もう一度壁紙を変えます, \r\n' "$second"
} | iconv -f UTF-8 -t CP932 > "$demo/MBTimer.ini"

state="$build/run-state"
mkdir -p "$state"
own_display=0
if [ -z "${DISPLAY:-}" ]; then own_display=1; fi
wine_env_vars "$state"
if [ "$own_display" = 1 ]; then xvfb_start "$state"; else unset XDG_CONFIG_HOME; fi
trap 'wine_env_stop "$state"' EXIT INT TERM
wine_prefix_prepare
wineserver -p

echo "demo folder: $demo"
echo "MBTimer starts in the tray; entries at $first (message, sound, wallpaper) and $second."
(cd "$demo" && wine "$demo/MBTimer.exe") &
timer_pid=$!
if [ "$own_display" = 1 ]; then
  sleep $(( until_first + 5 ))
  import -window root "$demo/screen.png" && echo "screenshot after $first: $demo/screen.png"
fi
echo "running; Ctrl-C ends it."
wait "$timer_pid" || true
