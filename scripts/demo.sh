#!/usr/bin/env bash
# Builds the demo show into dist/demo (a 32-bit and a 64-bit screensaver, and
# its contact sheet) and plays the 64-bit one under wine64 in a virtual display
# for some seconds, leaving screenshots in dist/demo. Needs scripts/setup.sh
# and scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-24}
out=$PWD/dist/demo
mkdir -p "$out"
rm -f "$out"/shot-*.png

work=$(mktemp -d)
xvfb=""
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
trap 'WINEPREFIX=$work/prefix $wineserver -k >/dev/null 2>&1 || true; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
demo/make_pictures.sh "$work"
python3 demo/make_media.py "$work"
cp demo/demo.toml "$work/"
dist/tools/showpack build "$work/demo.toml" -o "$out/Demo.scr" --player dist/win64/screensaver.scr
dist/tools/showpack build "$work/demo.toml" -o "$out/Demo32.scr" --player dist/win32/screensaver.scr
dist/tools/showpack preview "$work/demo.toml" --contact-sheet --size 1024x768 --seed 1 -o "$out/contact-sheet.png"

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>"$work/xvfb.log" &
xvfb=$!
for ((i = 0; i < 100; i++)); do
  [ -s "$work/display" ] && break
  kill -0 $xvfb 2>/dev/null || { echo "demo: Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
  sleep 0.1
done
[ -s "$work/display" ] || { echo "demo: Xvfb gave no display number" >&2; exit 1; }
display=:$(head -n 1 "$work/display")
export DISPLAY=$display WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
echo "demo: preparing a fresh Wine prefix"
"$wine" wineboot -i >/dev/null 2>&1
echo "demo: playing dist/demo/Demo.scr for ${seconds}s"
"$wine" "$out/Demo.scr" /s >/dev/null 2>&1 &
for ((i = 1; i <= seconds / 3; i++)); do
  sleep 3
  import -display "$display" -window root "$out/shot-$(printf %02d "$i").png"
done
echo "demo: screenshots in dist/demo: $(cd "$out" && ls shot-*.png | tr '\n' ' ')"
