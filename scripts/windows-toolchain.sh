# The Windows toolchain and programs (sourced by windows.sh and test.sh).
# Everything comes from Debian: the cross compiler, wine64 and nsis as
# packages, Qt, libcurl and pugixml from their Debian source packages (the
# same versions as the Linux build's -dev packages), GoogleTest from
# /usr/src/googletest.

# Bump when the way the toolchain is built changes: the cache is then rebuilt.
MVUL_TOOLCHAIN_RECIPE=1

mvul_windows_packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 nsis ninja-build cmake dpkg-dev
                       qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libcurl4-openssl-dev libpugixml-dev
                       googletest zip unzip xvfb xauth openbox imagemagick python3-aiosmtpd openssl)

installed_version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || echo none; }
source_version() { dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null || echo none; }

# The cache folder of this recipe and these versions.
toolchain_dir() {
  local cache="${MVUL_WINDOWS_CACHE:-$HOME/.cache/mvul-windows}"
  local key="qt$(source_version qt6-base-dev)-curl$(source_version libcurl4-openssl-dev)"
  key+="-pugixml$(source_version libpugixml-dev)-gtest$(installed_version googletest)"
  key+="-gcc$(installed_version g++-mingw-w64-x86-64-posix)-r$MVUL_TOOLCHAIN_RECIPE"
  echo "$cache/${key//[^A-Za-z0-9.+_-]/_}"
}
MVUL_TOOLCHAIN="$(toolchain_dir)"

source "$(dirname "${BASH_SOURCE[0]}")/as-root.sh"

windows_deps() {
  install_missing "${mvul_windows_packages[@]}"
  MVUL_TOOLCHAIN="$(toolchain_dir)"
}

# apt with a source list of our own (deb-src lines for the system's own
# mirrors) and its own state, so that the system's lists stay as they are.
private_apt() {
  local apt="$1"; shift
  mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache/archives/partial"
  : >"$apt/sources.list"
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >>"$apt/sources.list" || true
  fi
  for f in /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && { grep -E '^deb ' "$f" | sed 's/^deb /deb-src /' >>"$apt/sources.list" || true; }
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt/parts/$(basename "$f")"
  done
  apt-get -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/parts" \
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o Debug::NoLocking=1 \
    -o APT::Sandbox::User="$(id -un)" "$@"
}

# Unpacks a Debian source package of the given version into $2, patches applied.
fetch_source() {
  local package="$1" version="$2" into="$3" work="$MVUL_TOOLCHAIN/work"
  [ -d "$into" ] && return 0
  mkdir -p "$work/dl"
  [ -f "$work/apt/updated" ] || { private_apt "$work/apt" -qq update && touch "$work/apt/updated"; }
  (cd "$work/dl" && private_apt "$work/apt" -qq source --download-only "$package=$version" >/dev/null)
  dpkg-source -q -x "$work/dl/${package}_${version#*:}.dsc" "$into" >/dev/null
}

write_cmake_toolchain() {
  cat >"$MVUL_TOOLCHAIN/mingw.cmake" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $MVUL_TOOLCHAIN/prefix $MVUL_TOOLCHAIN/qt)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
EOF
}

build_qt() {
  [ -f "$MVUL_TOOLCHAIN/qt/lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake" ] && return 0
  local src="$MVUL_TOOLCHAIN/work/qt6-base"
  fetch_source qt6-base "$(source_version qt6-base-dev)" "$src"
  # OpenGL stays on: without it 6.4's Windows platform plugin does not
  # compile. No tablet support: Debian's source has no wintab.
  cmake -S "$src" -B "$MVUL_TOOLCHAIN/work/qt-build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$MVUL_TOOLCHAIN/mingw.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$MVUL_TOOLCHAIN/qt" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF -DFEATURE_sql=OFF >/dev/null
  cmake --build "$MVUL_TOOLCHAIN/work/qt-build" -j"$(nproc)"
  cmake --install "$MVUL_TOOLCHAIN/work/qt-build" >/dev/null
}

# cross_build NAME SOURCE [CMAKE OPTION...]: configures, builds and installs
# one library into the toolchain's prefix.
cross_build() {
  local name="$1" src="$2"
  shift 2
  cmake -S "$src" -B "$MVUL_TOOLCHAIN/work/$name-build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$MVUL_TOOLCHAIN/mingw.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$MVUL_TOOLCHAIN/prefix" "$@" >/dev/null
  cmake --build "$MVUL_TOOLCHAIN/work/$name-build" -j"$(nproc)"
  cmake --install "$MVUL_TOOLCHAIN/work/$name-build" >/dev/null
}

build_curl() {
  [ -f "$MVUL_TOOLCHAIN/prefix/lib/libcurl.dll.a" ] && return 0
  local src="$MVUL_TOOLCHAIN/work/curl"
  fetch_source curl "$(source_version libcurl4-openssl-dev)" "$src"
  # Schannel: the Windows certificate store, no OpenSSL to ship.
  cross_build curl "$src" -DBUILD_SHARED_LIBS=ON -DBUILD_CURL_EXE=OFF \
    -DBUILD_TESTING=OFF -DENABLE_MANUAL=OFF -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_ZLIB=OFF \
    -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DUSE_NGHTTP2=OFF -DUSE_LIBIDN2=OFF -DUSE_WIN32_IDN=OFF \
    -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBPSL=OFF -DCURL_DISABLE_LDAP=ON -DENABLE_UNICODE=ON \
    -DCURL_CA_BUNDLE=none -DCURL_CA_PATH=none
}

build_pugixml() {
  [ -f "$MVUL_TOOLCHAIN/prefix/lib/libpugixml.a" ] && return 0
  local src="$MVUL_TOOLCHAIN/work/pugixml"
  fetch_source pugixml "$(source_version libpugixml-dev)" "$src"
  cross_build pugixml "$src" -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
}

build_gtest() {
  [ -f "$MVUL_TOOLCHAIN/prefix/lib/libgtest.a" ] && return 0
  cross_build gtest /usr/src/googletest -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON
}

build_toolchain() {
  if [ -f "$MVUL_TOOLCHAIN/ready" ]; then
    echo "== Windows toolchain: $MVUL_TOOLCHAIN (cached)"
    return 0
  fi
  echo "== Windows toolchain: building into $MVUL_TOOLCHAIN"
  local started=$SECONDS
  mkdir -p "$MVUL_TOOLCHAIN"
  write_cmake_toolchain
  build_gtest
  build_pugixml
  build_curl
  build_qt
  rm -rf "$MVUL_TOOLCHAIN/work"  # the sources and build trees: gigabytes not needed again
  echo "built in $((SECONDS - started)) s" >"$MVUL_TOOLCHAIN/ready"
  echo "== Windows toolchain built in $((SECONDS - started)) s"
}

# The programs and their tests for Windows, in build-windows/ (the help pages
# are made there too, by the Windows help generator under wine64).
build_programs() {
  [ -f "$MVUL_TOOLCHAIN/ready" ] || { echo "no Windows toolchain in $MVUL_TOOLCHAIN: run scripts/windows.sh toolchain" >&2; return 1; }
  export WINEPREFIX="${WINEPREFIX:-$MVUL_TOOLCHAIN/../wine-prefix}" WINEDEBUG=-all
  cmake -S . -B build-windows -G Ninja -Wno-dev -DCMAKE_TOOLCHAIN_FILE="$MVUL_TOOLCHAIN/mingw.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$MVUL_TOOLCHAIN/qt;$MVUL_TOOLCHAIN/prefix" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DMVUL_WERROR=ON -DMVUL_BENCH=OFF -DMVUL_TESTS="${MVUL_WINDOWS_TESTS:-ON}" \
    >/dev/null
  windows_runtime build-windows/bin
  cmake --build build-windows -j"$(nproc)"
}

# What a Windows program of ours needs beside it: the compiler's runtime,
# libcurl, the Qt libraries and plugins it loads, and Qt's Hungarian texts.
windows_runtime() {
  local bin="$1" gcc
  gcc="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
  mkdir -p "$bin/platforms" "$bin/styles" "$bin/translations"
  cp -u "$gcc/libstdc++-6.dll" "$gcc/libgcc_s_seh-1.dll" /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll \
    "$MVUL_TOOLCHAIN/prefix/bin/libcurl.dll" "$bin/"
  for dll in Qt6Core Qt6Gui Qt6Widgets Qt6Test; do cp -u "$MVUL_TOOLCHAIN/qt/bin/$dll.dll" "$bin/"; done
  cp -u "$MVUL_TOOLCHAIN/qt/plugins/platforms/qwindows.dll" "$MVUL_TOOLCHAIN/qt/plugins/platforms/qoffscreen.dll" \
    "$bin/platforms/"
  cp -u "$MVUL_TOOLCHAIN"/qt/plugins/styles/*.dll "$bin/styles/"
  cp -u /usr/share/qt6/translations/qtbase_hu.qm "$bin/translations/"
  printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' >"$bin/qt.conf"
}

# The Windows stage of the tests: every library test binary, then the
# programs themselves under wine beside the Linux ones (tests/windows_stage.py).
test_programs() {
  [ -f "$MVUL_TOOLCHAIN/ready" ] || { echo "no Windows toolchain in $MVUL_TOOLCHAIN: run scripts/windows.sh toolchain" >&2; return 1; }
  [ -x build/bin/mvulc ] || bash scripts/build.sh
  # A private prefix: the Credential Manager, the registry and the files the
  # tests touch are theirs alone, and gone afterwards.
  local prefix status=0
  prefix="$(mktemp -d -t mvul-wine-XXXXXX)"
  export WINEPREFIX="$prefix" WINEDEBUG=-all
  timeout 300 wineboot -i >/dev/null 2>&1 || true
  /usr/bin/python3 tests/windows_stage.py build-windows build/bin tests/smtp_sink.py build-windows/artefacts || status=$?
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
  return "$status"
}

# The two packages a player on Windows picks from: a ZIP to unpack anywhere
# (a portable copy keeps its files beside itself) and a per-user installer.
pack_programs() {
  local version stage out
  version="$(sed -n 's/^project(mvul VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
  out="$PWD/build-windows"
  stage="$out/package/mvul-$version"
  rm -rf "$out/package" && mkdir -p "$stage"
  # What the player needs: not the tests, their DLL and the build's helpers.
  (cd "$out/bin" && find . -mindepth 1 -maxdepth 1 ! -name 'mv_*_tests.exe' ! -name mvhelpgen.exe \
    ! -name Qt6Test.dll ! -name artefacts -exec cp -r {} "$stage/" \;)
  rm -f "$stage/platforms/qoffscreen.dll"
  # The uninstaller removes what was installed, file by file, and no more.
  (cd "$stage" && {
    find . -type f | sed 's|^\./||; s|/|\\|g' | sort | sed 's|^|  Delete "$INSTDIR\\|; s|$|"|'
    find . -mindepth 1 -type d | sed 's|^\./||; s|/|\\|g' | sort -r | sed 's|^|  RMDir "$INSTDIR\\|; s|$|"|'
  } >"$out/package/uninstall-files.nsh")
  rm -f "$out/mvul-$version-windows.zip"
  (cd "$out/package" && zip -qr "$out/mvul-$version-windows.zip" "mvul-$version")
  makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out/mvul-$version-windows-setup.exe" \
    scripts/windows-installer.nsi
  echo "== Windows packages: $out/mvul-$version-windows.zip, $out/mvul-$version-windows-setup.exe"
}
