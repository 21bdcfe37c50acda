# Shared by the scripts: build folders and the Wine environment of the build.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VORLIX_BUILD:-$ROOT/build}"
NATIVE_BUILD="$BUILD/native"
WIN_BUILD="$BUILD/win"
FUZZ_BUILD="$BUILD/fuzz"
JOBS="$(nproc 2>/dev/null || echo 2)"

export WINEPREFIX="$BUILD/wineprefix"
# No menu entries or file associations in the user's home: the prefix is the build's own.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEDEBUG=-all
export WINEARCH=win64

configure_native() {
  cmake -S "$ROOT" -B "$NATIVE_BUILD" -DCMAKE_BUILD_TYPE=Debug -DVORLIX_SANITIZE=ON >/dev/null
}

configure_win() {
  cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
}

# Runs "$@" inside one Xvfb with the build's own Wine prefix and a wineserver
# kept alive for the whole command, then ends every Wine process of the prefix.
with_wine() {
  local inner
  inner=$(cat <<'INNER'
set -u
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine wineboot -i >/dev/null 2>&1
  wineserver -w
  # Let Wine draw its own title bars: there is no window manager under Xvfb.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
fi
wineserver -p
# Start Wine's own background processes now, with no pipes of ours: started later by
# a test program, they would inherit its output pipe and keep ctest waiting.
wine wineboot </dev/null >/dev/null 2>&1
"$@"
rc=$?
wineserver -k 2>/dev/null
# And those of the prefixes that scripts/wine-at-dpi made beside it.
for prefix in "$WINEPREFIX"-dpi*; do [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null; done
exit $rc
INNER
)
  # Under Wine the recycle bin is the desktop's trash: the build's own, so that a
  # test run never fills the user's. Wine makes the trash only in a folder that exists.
  mkdir -p "$BUILD/xdg-data"
  XDG_DATA_HOME="$BUILD/xdg-data" xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c "$inner" with_wine "$@"
}
