#!/bin/sh
# Installs the build into a scratch prefix and builds the C host against it:
# with pkg-config, then with CMake's find_package. Arguments: build folder,
# scratch folder, the C host's source, the C compiler.
set -eu
build=$1 scratch=$2 source=$3 cc=$4
rm -rf "$scratch"
mkdir -p "$scratch"
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in include/tov00300/tov00300_c.h lib/pkgconfig/tov00300.pc \
         lib/cmake/tov00300/tov00300Config.cmake lib/libDarumaFrameWork.so; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
ls "$prefix"/lib/libtov00300.so.1 >/dev/null || { echo "no versioned soname"; exit 1; }

# The sanitizer build's libraries need the sanitizer runtimes at link time.
extra=$(nm -D "$prefix/lib/libtov00300.so.1" | grep -q __asan_init && echo "-fsanitize=address,undefined" || true)
PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --exists tov00300
pc() { PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config "$@" tov00300; }
"$cc" -std=c99 -pedantic-errors $extra $(pc --cflags) "$source" $(pc --libs) -o "$scratch/sale-pkgconfig"

mkdir -p "$scratch/cmake-host"
cat > "$scratch/cmake-host/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(host C)
find_package(tov00300 1.0 REQUIRED)
add_executable(sale "$source")
target_compile_options(sale PRIVATE $extra)
target_link_options(sale PRIVATE $extra)
target_link_libraries(sale PRIVATE tov00300::tov00300)
CMAKE
cmake -S "$scratch/cmake-host" -B "$scratch/cmake-host/build" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_C_COMPILER="$cc" >/dev/null
cmake --build "$scratch/cmake-host/build" >/dev/null
echo "installed package builds a C host with pkg-config and with find_package"
