#!/usr/bin/env bash
# Cross-builds the libraries the Windows game links (SDL2, SDL2_mixer, libjpeg-turbo, libepoxy) and
# GoogleTest from Debian's own source packages into a prefix cached outside the tree, keyed by the
# sources, this script and the compiler, so that another clone on the same machine reuses it.
# Prints the prefix's path as its last line.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${MARBLIX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/marblix}
jobs=${MARBLIX_JOBS:-2}
toolchain=$here/cmake/mingw-w64-x86_64.cmake
host=x86_64-w64-mingw32

# Debian's source packages, through the machine's own archive (the deb lines as deb-src).
sources=$cache/sources
mkdir -p "$sources/parts" "$sources/lists/partial" "$sources/apt/archives/partial"
sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
  >"$sources/parts/debian-src.sources"
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$sources/parts"
  -o "Dir::State::Lists=$sources/lists" -o "Dir::Cache=$sources/apt" -o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" -qq update
# libepoxy's Debian tarball is not always in the archive (its original tarball is enough), so a
# failed download is judged by the files found below.
(cd "$sources" && apt-get "${apt_options[@]}" -qq source --download-only \
  libsdl2 libsdl2-mixer libjpeg-turbo libepoxy >"$sources/download.log" 2>&1) || true

dsc() { ls "$sources"/"$1"_*.dsc 2>/dev/null | sort -V | tail -n 1; }
orig() { ls "$sources"/"$1"_*.orig.tar.* | sort -V | tail -n 1; }
for package in libsdl2 libsdl2-mixer libjpeg-turbo; do
  [ -n "$(dsc "$package")" ] || {
    echo "windows-deps: no source package $package (see $sources/download.log)" >&2
    exit 1
  }
done
orig libepoxy >/dev/null

key=$( {
  basename -a "$(dsc libsdl2)" "$(dsc libsdl2-mixer)" "$(dsc libjpeg-turbo)" "$(orig libepoxy)"
  dpkg-query -W -f='${Version}\n' googletest
  "$host-g++-posix" --version | head -n 1
  cat "$0" "$toolchain"
} | sha256sum | cut -c1-16)
prefix=$cache/win64-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

echo "Cross-building the Windows libraries into $prefix (a few minutes, once per machine)" >&2
rm -rf "$prefix" "$cache/build"
mkdir -p "$prefix" "$cache/build"
work=$cache/build
export MARBLIX_WINDOWS_PREFIX=$prefix
export CCACHE_BASEDIR=$work

unpack_dsc() { (cd "$work" && dpkg-source -q -x --no-check "$(dsc "$1")" "$1" >/dev/null); }
cmake_build() {
  local source=$1 name=$2
  shift 2
  cmake -S "$source" -B "$work/$name-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_COMPILER_LAUNCHER=ccache \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -Wno-dev "$@" >"$work/$name.log" 2>&1
  cmake --build "$work/$name-build" -j "$jobs" >>"$work/$name.log"
  cmake --install "$work/$name-build" >>"$work/$name.log"
}

unpack_dsc libsdl2
cmake_build "$work/libsdl2" sdl2 -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF

unpack_dsc libsdl2-mixer
cmake_build "$work/libsdl2-mixer" sdl2-mixer -DSDL2_DIR="$prefix/cmake" \
  -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_WAVE=ON \
  -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF \
  -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_CMD=OFF

unpack_dsc libjpeg-turbo
cmake_build "$work/libjpeg-turbo" jpeg -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF

mkdir -p "$work/libepoxy"
tar -xf "$(orig libepoxy)" -C "$work/libepoxy" --strip-components=1
cat >"$work/meson-cross.txt" <<CROSS
[binaries]
c = ['ccache', '$host-gcc-posix']
ar = '$host-ar'
strip = '$host-strip'
windres = '$host-windres'
[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
CROSS
meson setup "$work/epoxy-build" "$work/libepoxy" --cross-file "$work/meson-cross.txt" \
  --prefix "$prefix" --buildtype release -Dglx=no -Degl=no -Dx11=false -Dtests=false \
  -Ddocs=false >"$work/epoxy.log"
ninja -C "$work/epoxy-build" -j "$jobs" install >>"$work/epoxy.log"

cmake_build /usr/src/googletest googletest -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF

# The DLLs ship with the game: without their symbols they are a third of the size.
"$host-strip" --strip-unneeded "$prefix"/bin/*.dll
rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
