#!/usr/bin/env bash
# Builds the third-party libraries the Windows build links, from Debian's source packages, into a
# cache outside the clone: qtbase (Core, Gui, Widgets, PrintSupport), libsndfile and libsoxr for
# the kit's recordings, fftw3 (the tests' reference transform), googletest and nlohmann-json.
# Each piece is built once per source version and configuration; the prefix it fills is printed.
#   scripts/windows/build-deps.sh [PACKAGE...]   prints the prefix on its last line
# KORVANTA_WINDOWS_CACHE moves the cache (default ~/.cache/korvanta-windows).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain="$here/mingw-toolchain.cmake"
cache=${KORVANTA_WINDOWS_CACHE:-$HOME/.cache/korvanta-windows}
jobs=${KORVANTA_JOBS:-$(nproc)}
mkdir -p "$cache/src" "$cache/build"
# One build at a time: a second caller waits, then finds the pieces in the cache.
exec 9>"$cache/.lock"
flock 9

# One prefix per toolchain and compiler; each piece's stamp also carries its own recipe, so a
# changed recipe rebuilds that piece alone.
config_key=$( (cat "$toolchain"; x86_64-w64-mingw32-g++-posix --version | head -1) | sha256sum | cut -c1-10)
prefix="$cache/prefix-$config_key"
mkdir -p "$prefix"

log() { echo "windows-deps: $*" >&2; }

# Fetches and unpacks a Debian source package (patches applied); echoes its folder.
debian_source() {
  local package=$1 version dir
  version=$(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -V | tail -1)
  dir="$cache/src/$package-$version"
  if [ ! -f "$dir/.unpacked" ]; then
    rm -rf "$dir"
    (cd "$cache/src" && apt-get source --download-only "$package=$version" >/dev/null 2>&1) \
      || { log "apt-get source $package failed (are the deb-src lines there?)"; exit 1; }
    local dsc
    dsc=$(ls "$cache/src/${package}_${version#*:}.dsc")
    dpkg-source --no-check -x "$dsc" "$dir" >/dev/null
    touch "$dir/.unpacked"
  fi
  echo "$dir"
}

# Runs "build_$1" once per source version; the stamp lives in the prefix.
build_once() {
  local package=$1 src stamp
  src=$(debian_source "$package")
  local recipe
  recipe=$(declare -f "build_${package//[-.]/_}" | sha256sum | cut -c1-8)
  stamp="$prefix/.built-$(basename "$src")-$recipe"
  if [ -f "$stamp" ]; then
    log "$(basename "$src") is in the cache"
    return
  fi
  log "building $(basename "$src") (once)"
  local started=$SECONDS
  rm -rf "$cache/build/$package"
  mkdir -p "$cache/build/$package"
  "build_${package//[-.]/_}" "$src" "$cache/build/$package"
  rm -rf "$cache/build/$package"
  touch "$stamp"
  log "$(basename "$src") built in $((SECONDS - started)) s"
}

cmake_cross() {
  local src=$1 build=$2
  shift 2
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" "$@" >"$build.log" 2>&1 \
    || { tail -40 "$build.log"; exit 1; }
  cmake --build "$build" -j "$jobs" >>"$build.log" 2>&1 || { tail -40 "$build.log"; exit 1; }
  cmake --install "$build" >>"$build.log" 2>&1 || { tail -40 "$build.log"; exit 1; }
}

build_qt6_base() {
  local src=$1 build=$2
  # Qt's host tools (moc, rcc, uic) come from Debian's own Qt of the same version.
  (cd "$build" && "$src/configure" -prefix "$prefix" -release -opensource -confirm-license \
      -xplatform win32-g++ -qt-host-path /usr -nomake tests -nomake examples \
      -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-opengl -no-dbus \
      -no-feature-sql -no-feature-network -no-feature-tabletevent -no-feature-testlib \
      -no-feature-concurrent -no-feature-xml \
      -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      >"$build.log" 2>&1) || { tail -60 "$build.log"; exit 1; }
  cmake --build "$build" -j "$jobs" >>"$build.log" 2>&1 || { tail -60 "$build.log"; exit 1; }
  cmake --install "$build" >>"$build.log" 2>&1 || { tail -40 "$build.log"; exit 1; }
}

build_libsndfile() {
  # WAV and the other built-in formats; FLAC, Ogg/Vorbis, Opus and MP3 need libraries that are not
  # built here.
  cmake_cross "$1" "$2" -DBUILD_SHARED_LIBS=ON -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF \
              -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF
}

build_libsoxr() {
  cmake_cross "$1" "$2" -DBUILD_SHARED_LIBS=ON -DBUILD_EXAMPLES=OFF -DBUILD_TESTS=OFF -DWITH_OPENMP=OFF \
              -DWITH_LSR_BINDINGS=OFF
  # Its build writes the pkg-config file on Unix hosts only.
  mkdir -p "$prefix/lib/pkgconfig"
  cat >"$prefix/lib/pkgconfig/soxr.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: soxr
Description: High quality, one-dimensional sample-rate conversion library
Version: $(basename "$1" | sed 's/^libsoxr-//; s/-[^-]*$//')
Libs: -L\${libdir} -lsoxr
Cflags: -I\${includedir}
PC
}

build_fftw3() {
  # Only the tests link it: SSE2 is every x86-64's; the aligned allocation is fftw's own.
  cmake_cross "$1" "$2" -DBUILD_SHARED_LIBS=ON -DENABLE_FLOAT=ON -DBUILD_TESTS=OFF -DENABLE_SSE2=ON \
              -DCMAKE_C_FLAGS=-DWITH_OUR_MALLOC
}

build_googletest() {
  cmake_cross "$1" "$2" -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF
}

build_nlohmann_json3() {
  cmake_cross "$1" "$2" -DJSON_BuildTests=OFF -DJSON_Install=ON
}

packages=("$@")
[ ${#packages[@]} -gt 0 ] || packages=(googletest nlohmann-json3 libsndfile libsoxr fftw3 qt6-base)
for package in "${packages[@]}"; do
  build_once "$package"
done
echo "$prefix"
