#!/usr/bin/env bash
# Builds the web build's C libraries with emcc from Debian's source packages, the versions in
# ./versions, into a cache: `libs.sh CACHE` leaves the headers and static libraries under
# CACHE/prefix and prints that path. A stamp per library remembers what it was built from; a
# second run rebuilds nothing, and a changed version or recipe rebuilds that library and
# those built after it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=$(mkdir -p "$1" && cd "$1" && pwd)
prefix=$cache/prefix
jobs=${BRINECAST_WEB_JOBS:-2}
mkdir -p "$cache/src" "$cache/work" "$cache/stamps" "$prefix"
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
export CFLAGS="-O2" CXXFLAGS="-O2"

# The common CMake line: static, no tests, found through the prefix, installed into it.
cmake_lib() {
  local src=$1 build=$2
  shift 2
  rm -rf "$build"
  emcmake cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DBUILD_TESTING=OFF -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" \
    -Wno-dev "$@" >"$build.log" 2>&1 || { tail -40 "$build.log" >&2; return 1; }
  { cmake --build "$build" -j "$jobs" && cmake --install "$build"; } >>"$build.log" 2>&1 ||
    { tail -40 "$build.log" >&2; return 1; }
}

# Applies one of our patches to an unpacked source, once.
patch_once() {
  local src=$1 name=$2
  [ -f "$src/.applied-$name" ] && return 0
  patch -d "$src" -p1 --forward --quiet <"$here/$name" && touch "$src/.applied-$name"
}

# One recipe a library: its source folder, a fresh build folder.
build_zlib() {
  local src=$1 build=$2
  rm -rf "$build" && cp -a "$src" "$build" && cd "$build"
  {
    CHOST=wasm32 emconfigure ./configure --static --prefix="$prefix" &&
      emmake make -j "$jobs" libz.a && emmake make install
  } >"$build.log" 2>&1 || { tail -40 "$build.log" >&2; return 1; }
}
build_freetype() {
  # FreeType's own copy of zlib would clash with ours: it must use the one built above.
  cmake_lib "$1" "$2" -DFT_REQUIRE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}
build_harfbuzz() {
  cmake_lib "$1" "$2" -DHB_HAVE_FREETYPE=ON -DHB_HAVE_GLIB=OFF -DHB_HAVE_ICU=OFF \
    -DHB_HAVE_GOBJECT=OFF -DHB_BUILD_SUBSET=OFF -DHB_BUILD_UTILS=OFF -DHB_BUILD_TESTS=OFF
}
build_libsdl2() {
  # Blending by pixel alpha rounds as the x86 desktop's blitter does, so text and sprites
  # come out the same pixel for pixel.
  patch_once "$1" sdl2-blend.patch
  cmake_lib "$1" "$2" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF
}
build_libsdl2_ttf() {
  # Text must be shaped as on the desktop: FreeType and HarfBuzz, both from the prefix.
  cmake_lib "$1" "$2" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF \
    -DSDL2TTF_INSTALL=ON
}
build_libxmp() {
  local src=$1 build=$2
  rm -rf "$build" && cp -a "$src" "$build" && cd "$build"
  {
    emconfigure ./configure --host=wasm32-unknown-emscripten --prefix="$prefix" \
      --disable-shared --enable-static &&
      emmake make -j "$jobs" && emmake make install
  } >"$build.log" 2>&1 || { tail -40 "$build.log" >&2; return 1; }
}

# Fetches and unpacks one source package, once.
fetch() {
  local pkg=$1 version=$2 dir=$cache/src/$1_$2
  if [ ! -f "$dir/.unpacked" ]; then
    rm -rf "$dir" && mkdir -p "$dir.tmp"
    (cd "$dir.tmp" && apt-get source -qq "$pkg=$version" >"$cache/src/$pkg.log" 2>&1) ||
      { tail -20 "$cache/src/$pkg.log" >&2; return 1; }
    local unpacked
    unpacked=$(find "$dir.tmp" -mindepth 1 -maxdepth 1 -type d | head -1)
    mv "$unpacked" "$dir" && rm -rf "$dir.tmp" && touch "$dir/.unpacked"
  fi
  echo "$dir"
}

# A library's stamp holds a digest of its version, its recipe and the stamps before it.
chain=$(declare -f cmake_lib | sha256sum | cut -c1-16)
while read -r pkg version; do
  case $pkg in '' | '#'*) continue ;; esac
  recipe=$(declare -f "build_${pkg//-/_}"; cat "$here"/*.patch)
  chain=$(printf '%s %s %s %s' "$chain" "$pkg" "$version" "$recipe" | sha256sum | cut -c1-16)
  stamp=$cache/stamps/$pkg
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$chain" ]; then
    continue
  fi
  src=$(fetch "$pkg" "$version")
  echo "Building $pkg $version for the web" >&2
  start=$SECONDS
  rm -f "$stamp"
  "build_${pkg//-/_}" "$src" "$cache/work/$pkg"
  cd "$here"
  echo "  $pkg: $((SECONDS - start)) s" >&2
  echo "$chain" >"$stamp"
done <"$here/versions"
echo "$prefix"
