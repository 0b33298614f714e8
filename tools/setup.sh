#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages only.
# Quick and quiet when everything is already there.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
deps="$top/.deps"

packages=(
  cmake ninja-build dpkg-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  libz-mingw-w64-dev googletest
  wine wine64 xvfb xauth xdotool x11-utils
  gcc libc6-dev
  fonts-wine fonts-font-awesome
  adwaita-icon-theme
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" = 0 ] || sudo_cmd=(sudo)

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq >/dev/null
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# apt's source download needs a deb-src entry; added once when missing.
enable_source_packages() {
  apt-get source --print-uris "$1" >/dev/null 2>&1 && return
  "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/kelvra-deb-src.sources >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  "${sudo_cmd[@]}" apt-get update -qq >/dev/null
}

# libjpeg (the IJG interface) for MinGW, built from Debian's libjpeg-turbo source package.
jpeg_prefix="$deps/libjpeg"
if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
  echo "setup: building libjpeg for MinGW"
  enable_source_packages libjpeg-turbo
  work="$deps/src"
  rm -rf "$work" && mkdir -p "$work"
  (cd "$work" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
  src=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_JPEG8=OFF >/dev/null
  cmake --build "$work/build" --target jpeg-static >/dev/null
  mkdir -p "$jpeg_prefix/lib" "$jpeg_prefix/include"
  cp "$work/build/libjpeg.a" "$jpeg_prefix/lib/"
  cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$work/build/jconfig.h" "$jpeg_prefix/include/"
  rm -rf "$work"
fi

# Test pictures for the PNG decoder: the PNG suite and the test images shipped
# in Debian's libpng source package, kept as plain files.
png_corpus="$deps/pngsuite"
if [ ! -f "$png_corpus/.complete" ]; then
  echo "setup: fetching the PNG test pictures"
  work="$deps/pngsuite-src"
  rm -rf "$work" "$png_corpus" && mkdir -p "$work" "$png_corpus"
  enable_source_packages libpng1.6
  (cd "$work" && apt-get source -qq --download-only libpng1.6 >/dev/null 2>&1)
  tar -xzf "$work"/libpng1.6_*.orig.tar.gz -C "$work" --wildcards \
    '*/contrib/pngsuite/*.png' '*/contrib/testpngs/*.png'
  find "$work"/*/contrib/pngsuite "$work"/*/contrib/testpngs -maxdepth 1 -name '*.png' \
    -exec cp {} "$png_corpus/" \;
  rm -rf "$work"
  touch "$png_corpus/.complete"
fi

# GoogleTest, built once with the cross compiler.
gtest_prefix="$deps/googletest"
if [ ! -f "$gtest_prefix/lib/libgtest.a" ]; then
  echo "setup: building GoogleTest for MinGW"
  cmake -S /usr/src/googletest -B "$deps/gtest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_prefix" \
    -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=OFF >/dev/null
  cmake --build "$deps/gtest-build" >/dev/null
  cmake --install "$deps/gtest-build" >/dev/null
  rm -rf "$deps/gtest-build"
fi
