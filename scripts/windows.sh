#!/usr/bin/env bash
# Builds Calibrix for 64-bit Windows on Debian 12: a static Qt cross-built once from Debian's own
# qt6-base source (cached outside the checkout), then the program, its tests run under Wine, the
# portable zip and the installer (CPack, from the install() rules), all in build/windows/.
#
#   scripts/windows.sh        everything
#   scripts/windows.sh qt     only the cached Qt (prints its prefix)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/stages.sh

cache=${CALIBRIX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/calibrix}
jobs=$(nproc)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

install_packages() {
  local packages=(
    cmake ninja-build dpkg-dev xz-utils
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgtest-dev fonts-liberation2
    wine wine64 xvfb xauth xdotool x11-utils openbox nsis icoutils
  )
  "$root/scripts/deps.sh" "${packages[@]}"
}

# apt-get source needs a deb-src entry; mirror the machine's own Debian deb entries.
ensure_deb_src() {
  if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
    return
  fi
  local f out=/etc/apt/sources.list.d/calibrix-deb-src.sources tmp
  tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    grep -q 'debian.org\|debian-archive-keyring' "$f" || continue
    sed -n '/^Types:/{s/^Types:.*/Types: deb-src/};p' "$f" >>"$tmp"
    echo >>"$tmp"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] || continue
    grep -E '^deb [^#]*debian\.org' "$f" | sed 's/^deb /deb-src /' >>"$tmp" || true
  done
  if [[ $tmp != *.sources ]] && grep -q '^deb-src ' "$tmp"; then
    out=/etc/apt/sources.list.d/calibrix-deb-src.list
    grep '^deb-src ' "$tmp" >"$tmp.list"
    mv "$tmp.list" "$tmp"
  fi
  echo "Adding the deb-src entry $out"
  "${sudo_cmd[@]}" install -m 644 "$tmp" "$out"
  rm -f "$tmp"
  "${sudo_cmd[@]}" apt-get update -qq
}

# Only what Calibrix uses: Core, Gui, Widgets, Test, and the Windows and offscreen platforms.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  # FEATURE_opengl alone leaves dynamic OpenGL in the Windows plugin.
  -DFEATURE_opengl=OFF -DINPUT_opengl=no
  # The DirectWrite font database links against Direct2D; only its 1.1 API can go.
  -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF
  # Debian's source carries no wintab.
  -DFEATURE_tabletevent=OFF
  # FreeType is what the offscreen platform draws text with.
  -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
  -DFEATURE_sql_sqlite=OFF
)

qt_version() { dpkg-query -W -f='${Version}' qt6-base-dev; }

# What a static Qt is made of: its source, its options, the cross-compiler with the runtime it
# links, and the toolchain file. An upgrade of any of them builds a new Qt.
qt_key() {
  printf '%s\n' "$(qt_version)" "${qt_options[@]}"
  x86_64-w64-mingw32-g++-posix --version | head -1
  dpkg-query -W -f='${Package} ${Version}\n' g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
    binutils-mingw-w64-x86-64
  sha256sum <"$root/cmake/mingw-w64-x86_64.cmake"
}

qt_prefix() {
  local key
  key=$(qt_key | sha256sum | cut -c1-10)
  echo "$cache/qt-$(qt_version | tr '+~:' '___')-mingw-static-$key"
}

build_qt() {
  local prefix version work
  prefix=$(qt_prefix)
  version=$(qt_version)
  if [ -f "$prefix/.complete" ] && [ -f "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    echo "Qt for Windows: cached in $prefix"
    return
  fi
  ensure_deb_src
  work="$cache/work-qt"
  rm -rf "$work" "$prefix"
  mkdir -p "$work"
  echo "Qt for Windows: building Debian's qt6-base $version into $prefix"
  (cd "$work" && apt-get source -qq --download-only "qt6-base=$version" &&
    dpkg-source -x --no-check ./*.dsc src >/dev/null)
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${qt_options[@]}" >"$work/configure.log"
  cmake --build "$work/build" -j "$jobs"
  cmake --install "$work/build" >/dev/null
  # Where the corresponding source and the options are, for the notices shipped with the program.
  {
    echo "Debian source package: qt6-base $version"
    echo "  (apt-get source qt6-base=$version; https://sources.debian.org/src/qt6-base/$version/)"
    echo "Configured with CMake and the MinGW-w64 toolchain file cmake/mingw-w64-x86_64.cmake:"
    printf '  %s\n' -DQT_HOST_PATH=/usr "${qt_options[@]}"
  } >"$prefix/BUILD-INFO.txt"
  cp -r "$work/src/LICENSES" "$prefix/LICENSES" 2>/dev/null || true
  cp "$work/src/debian/copyright" "$prefix/debian-copyright.txt"
  rm -rf "$work"
  touch "$prefix/.complete"
}

# GoogleTest for the Windows test programs, from Debian's own copy of its source.
build_gtest() {
  local version prefix
  version=$(dpkg-query -W -f='${Version}' libgtest-dev)
  prefix="$cache/gtest-$(echo "$version" | tr '+~:' '___')-mingw"
  if [ ! -f "$prefix/.complete" ]; then
    rm -rf "$cache/work-gtest" "$prefix"
    cmake -S /usr/src/googletest -B "$cache/work-gtest" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
    cmake --build "$cache/work-gtest" -j "$jobs" >/dev/null
    cmake --install "$cache/work-gtest" >/dev/null
    rm -rf "$cache/work-gtest"
    touch "$prefix/.complete"
  fi
  gtest_dir=$prefix/lib/cmake/GTest
}

# A compiler cache that a fresh clone elsewhere hits too: paths below the checkout are hashed
# as relative ones.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
fi

# tools/svgtopng for this machine: it renders the artwork the Windows program embeds.
build_host_tools() {
  cmake -S . -B "$out/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCALIBRIX_BUILD_TESTS=OFF \
    -DCALIBRIX_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
  cmake --build "$out/host" --target calibrix_svgtopng >/dev/null
}

# -O2 as Debian builds, and as the Linux build is tested: at -O3, GCC 12 warns falsely
# (-Wrestrict) inside std::string in the tests.
release_flags=(-DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG")

build_program() {
  local qt=$1
  if ! cmake -S . -B "$out/cmake" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCALIBRIX_WERROR=ON -DCALIBRIX_BUILD_BENCHMARKS=OFF \
    "${release_flags[@]}" -DCALIBRIX_HOST_SVGTOPNG="$out/host/calibrix_svgtopng" -DGTest_DIR="$gtest_dir" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/tests/windows/winerun.sh" "${launcher[@]}" \
    >"$out/configure.log" 2>&1; then
    cat "$out/configure.log"
    return 1
  fi
  grep 'Left out' "$out/configure.log" || true
  cmake --build "$out/cmake" -j "$jobs"
}

# A Wine prefix of its own, and an X server for the Windows platform plugin. Xvfb picks a free
# display itself and writes its number once it takes connections.
xvfb_pid= wm_pid=
start_wine() {
  export WINEPREFIX="$out/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  local display_file="$out/xvfb-display" display=
  rm -f "$display_file"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >"$out/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    display=$(cat "$display_file" 2>/dev/null || true)
    [ -z "$display" ] && kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "Xvfb did not come up:"
    cat "$out/xvfb.log"
    return 1
  fi
  export DISPLAY=":$display"
  echo "Xvfb on $DISPLAY"
  rm -rf "$WINEPREFIX"
  wine wineboot --init >/dev/null 2>&1
  wineserver -w
}

start_window_manager() {
  openbox >"$out/openbox.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
    sleep 0.1
  done
  echo "openbox did not come up:"
  cat "$out/openbox.log"
  return 1
}

stop_window_manager() {
  [ -z "$wm_pid" ] || kill "$wm_pid" 2>/dev/null || true
  wait "$wm_pid" 2>/dev/null || true
  wm_pid=
}

stop_wine() {
  [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true
  stop_window_manager
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
}

# One pass of tests under Wine, judged by ctest: it fails when a test fails, when it finds no
# test, and when it ran fewer than the pass's floor (a lost test program). ctest's JUnit record
# says how many it ran; the Qt Test and GoogleTest case counts in the log are for the record.
#   wine_pass NAME FLOOR CTEST-ARGUMENTS...
wine_pass() {
  local name=$1 floor=$2 status=0 ran
  shift 2
  local junit="$out/tests-$name.xml"
  echo "Tests under Wine: $name" | tee -a "$log"
  ctest --test-dir "$out/cmake" --no-tests=error --output-junit "$junit" --verbose \
    --timeout 900 "$@" >>"$log" 2>&1 || status=1
  ran=$(grep -o '<testcase ' "$junit" 2>/dev/null | wc -l)
  if [ "$ran" -lt "$floor" ]; then
    echo "  ran $ran test programs, fewer than the $floor expected" | tee -a "$log"
    status=1
  fi
  local verdict=passed
  [ $status = 0 ] || verdict=FAILED
  pass_results+=("$(printf '%-44s %3d test programs  %s' "$name" "$ran" "$verdict")")
  return $status
}

# The tests under Wine: the unit tests, the window tests (the Qt Test programs) on the Windows
# platform plugin, the whole soak offscreen, then the font test where Wine cannot see the
# host's fonts.
run_tests() {
  log="$out/tests.log"
  pass_results=()
  : >"$log"
  wineserver -p 900 || true
  # Wine's own services start with the first program and live as long as the server; started
  # here, they hold no test's output open, which ctest would wait on.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  local status=0
  # The platform the test presets give the Linux tests; winerun.sh hands it on to Wine.
  export QT_QPA_PLATFORM=offscreen
  wine_pass "unit" 13 -L '^unit$' || status=1
  # The fixed-size test plays the desktop that insists on maximising; a real window manager
  # would answer its requests too, so it keeps the bare X server.
  CALIBRIX_WINE_PLATFORM=windows wine_pass "fixed size, Windows platform" 1 \
    -R '^fixedsize_test$' || status=1
  # On a bare X server Wine's X11 driver waits for a window manager's answer to each window it
  # shows or hides until a timeout, so that each window and message box costs seconds: the
  # other window tests run under openbox. The soak runs 1,000 of its actions there (its 10,000
  # take over 25 minutes), and all of them on the offscreen platform.
  start_window_manager || status=1
  CALIBRIX_SOAK_ACTIONS=1000 CALIBRIX_WINE_PLATFORM=windows \
    wine_pass "window, Windows platform, openbox" 17 -L '^window$' -E '^fixedsize_test$' ||
    status=1
  stop_window_manager
  wine_pass "soak, offscreen platform" 1 -R '^soak_test$' || status=1
  without_host_fonts || status=1
  wineserver -k 2>/dev/null || true
  grep -ho 'left out on Windows: .*' "$log" | sort -u || true
  # GoogleTest: "[  PASSED  ] 12 tests." / "[  FAILED  ] 1 test,"; Qt Test: "Totals: 5 passed, 1 failed".
  awk '
    { sub(/\r$/, "") }
    match($0, /\[  PASSED  \] [0-9]+ test/) { n = substr($0, RSTART, RLENGTH); gsub(/[^0-9]/, "", n); p += n }
    match($0, /\[  FAILED  \] [0-9]+ test/) { n = substr($0, RSTART, RLENGTH); gsub(/[^0-9]/, "", n); f += n }
    match($0, /Totals: [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped/) {
      split(substr($0, RSTART, RLENGTH), t, " "); p += t[2]; f += t[4]; s += t[6]
    }
    END { printf "Test cases: %d passed, %d failed, %d skipped by the tests themselves\n", p, f, s }' \
    "$log" >"$out/tests-summary.txt"
  printf '%s\n' "${pass_results[@]}" >>"$out/tests-summary.txt"
  cat "$out/tests-summary.txt"
  unset QT_QPA_PLATFORM
  return $status
}

# The font test in a second Wine prefix, made while fontconfig, Wine's only way to the host's
# fonts, lists none: the program must find its own.
without_host_fonts() {
  local conf="$out/no-fonts.conf" status=0
  printf '<?xml version="1.0"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' \
    "$out/no-fonts-cache" >"$conf"
  (
    export FONTCONFIG_FILE=$conf WINEPREFIX="$out/wine-nofonts" CALIBRIX_HOST_FONTS_HIDDEN=1
    rm -rf "$WINEPREFIX"
    wine wineboot --init >/dev/null 2>&1
    wineserver -w
    wine_pass "fonts, no host fonts, offscreen platform" 1 -R '^fonts_test$' || status=1
    CALIBRIX_WINE_PLATFORM=windows wine_pass "fonts, no host fonts, Windows platform" 1 \
      -R '^fonts_test$' || status=1
    wineserver -k || true
    printf '%s\n' "${pass_results[@]}" >"$out/pass-results"
    exit $status
  ) || status=1
  mapfile -t pass_results <"$out/pass-results"
  return $status
}

version() { sed -n 's/^project(calibrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt; }

# The zip and the installer, by CPack from the install() rules (cmake/windowspackage.cmake).
make_packages() {
  local v
  v=$(version)
  rm -f "$out"/calibrix-*-windows-x86_64.zip "$out"/calibrix-*-setup.exe
  (cd "$out/cmake" && cpack -G "ZIP;NSIS" -B "$out/packages" >"$out/cpack.log" 2>&1) ||
    { cat "$out/cpack.log"; return 1; }
  mv "$out/packages/calibrix-$v-windows-x86_64.zip" "$out/packages/calibrix-$v-setup.exe" "$out/"
  # The program alone too, as it is in the packages (stripped).
  (cd "$out/packages" && cmake -E tar xf "$out/calibrix-$v-windows-x86_64.zip" -- \
    "calibrix-$v-windows-x86_64/calibrix.exe")
  mv "$out/packages/calibrix-$v-windows-x86_64/calibrix.exe" "$out/calibrix.exe"
}

# The installer under Wine, silently: per user and per machine, the installed program starts
# and shows its window, the uninstaller removes it all.
check_installer() {
  local v mode key dir program window
  v=$(version)
  for mode in CurrentUser AllUsers; do
    key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Calibrix'
    [ $mode = CurrentUser ] && key="HKCU\\$key" || key="HKLM\\$key"
    wine "$out/calibrix-$v-setup.exe" /S "/$mode"
    wineserver -w
    dir=$(wine reg query "$key" /v InstallLocation | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    [ -n "$dir" ] || { echo "installer ($mode): no uninstall entry"; return 1; }
    program=$(winepath -u "$dir\\calibrix.exe")
    [ -f "$program" ] || { echo "installer ($mode): no $program"; return 1; }
    [ -f "$(winepath -u "$dir\\uninstall.exe")" ] || { echo "installer ($mode): no uninstaller"; return 1; }
    [ -n "$(find "$WINEPREFIX/drive_c" -name "Calibrix.lnk")" ] ||
      { echo "installer ($mode): no Start-menu entry"; return 1; }
    local entry value
    for entry in "DisplayVersion=$v" "Publisher=The Calibrix developers" \
      "DisplayIcon=$dir\\calibrix.exe,0"; do
      value=$(wine reg query "$key" /v "${entry%%=*}" | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
      [ "$value" = "${entry#*=}" ] ||
        { echo "installer ($mode): ${entry%%=*} is '$value', not '${entry#*=}'"; return 1; }
    done
    echo "installer ($mode): installed in $dir, with its Start-menu entry and its uninstall entry" \
      "(version $v, publisher, icon)"
    WINEQT_QPA_PLATFORM=windows wine "$program" &
    local pid=$! code=0
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^CALIBRIX for Chemical Analysis' 2>/dev/null | head -1 || true)
    if [ -z "$window" ]; then
      echo "installer ($mode): the installed program showed no window"
      kill "$pid" 2>/dev/null || true
      return 1
    fi
    echo "installer ($mode): the installed program started: '$(xdotool getwindowname "$window")'"
    xdotool key --window "$window" alt+F4 2>/dev/null || true
    if ! timeout 30 tail --pid="$pid" -f /dev/null; then
      echo "installer ($mode): the program did not close on Alt+F4"
      kill "$pid" 2>/dev/null || true
      return 1
    fi
    wait "$pid" || code=$?
    echo "installer ($mode): closed with Alt+F4, exit code $code"
    [ "$code" = 0 ] || return 1
    wine "$(winepath -u "$dir\\uninstall.exe")" /S "/$mode"
    for _ in $(seq 60); do
      [ -e "$program" ] || break
      sleep 1
    done
    if [ -e "$program" ] || wine reg query "$key" >/dev/null 2>&1 ||
      [ -n "$(find "$WINEPREFIX/drive_c" -name "Calibrix.lnk")" ]; then
      echo "installer ($mode): the uninstaller left the program or its entry behind"
      return 1
    fi
    echo "installer ($mode): uninstalled"
  done
}

main() {
  local start=$SECONDS
  stage "Packages" install_packages
  stage "Qt for Windows" build_qt
  local qt
  qt=$(qt_prefix)
  [ "${1:-}" != qt ] || { echo "$qt"; return; }
  out="$root/build/windows"
  mkdir -p "$out"
  stage "GoogleTest for Windows" build_gtest
  stage "Host tools" build_host_tools
  stage "Program and tests" build_program "$qt"
  trap stop_wine EXIT
  stage "Wine prefix and Xvfb" start_wine
  local tests=0 installer=0
  stage "Tests under Wine" run_tests || tests=1
  stage "Zip and installer (CPack)" make_packages
  stage "Installer under Wine" check_installer || installer=1
  stop_wine
  ls -l "$out/calibrix.exe" "$out"/calibrix-*-windows-x86_64.zip "$out"/calibrix-*-setup.exe
  stage_summary "scripts/windows.sh: $((SECONDS - start)) s"
  [ $tests = 0 ] && [ $installer = 0 ]
}

main "$@"
