#!/bin/sh
# Installs the build into a scratch prefix and uses it as hosts would, from
# the installed files alone: the C host built with pkg-config (and run on
# the installed virtual printer), the C host and a C++ host (whose public
# headers need C++20, which the package's CMake target must ask for) built
# with find_package, the Python package found in the prefix, and the Python
# package installed with pip from the source tree.
# Arguments: build folder, scratch folder, tests/c_host, the C and C++
# compilers, a python3 ("" when there is none), the sanitizer runtimes to
# preload into python ("" when not instrumented), the source folder.
set -eu
build=$1 scratch=$2 hosts=$3 cc=$4 cxx=$5 python=$6 preload=$7 source=$8
rm -rf "$scratch"
mkdir -p "$scratch"
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in include/tov00300/tov00300_c.h include/tov00300/export.h include/tov00300/sign_bema.h \
         lib/pkgconfig/tov00300.pc lib/cmake/tov00300/tov00300Config.cmake \
         lib/libDarumaFrameWork.so lib/libsign_bema.so bin/ead-verify bin/tov-new-till \
         share/tov00300/ead-public-key.pem share/doc/tov00300/README.md \
         share/doc/tov00300/examples/sale.c share/doc/tov00300/examples/Brindal.cds \
         lib/python3/site-packages/tov00300/__init__.py; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
ls "$prefix"/lib/libtov00300.so.1 >/dev/null || { echo "no versioned soname"; exit 1; }
[ ! -e "$prefix/include/tov00300/platform.h" ] || { echo "the private platform.h was installed"; exit 1; }

# The sanitizer build's libraries need the sanitizer runtimes at link time.
extra=$(nm -D "$prefix/lib/libtov00300.so.1" | grep -q __asan_init && echo "-fsanitize=address,undefined" || true)
PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --exists tov00300
pc() { PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config "$@" tov00300; }
"$cc" -std=c99 -pedantic-errors $extra $(pc --cflags) "$hosts/sale.c" $(pc --libs) -o "$scratch/sale-pkgconfig"
mkdir -p "$scratch/till/drive"
env -u TOV_HOST_DIR -u TOV_REGISTRY -u TOV_DRIVE_ROOT -u TOV_DRIVER_LIBRARY \
  "$scratch/sale-pkgconfig" "$scratch/till" >"$scratch/sale.out" 2>&1 ||
  { cat "$scratch/sale.out"; echo "the installed C host failed"; exit 1; }

# A new till's grand-total control file, with the installed tool.
"$prefix/bin/tov-new-till" "$scratch/till" 001 001 DR0111BR000000000001 >/dev/null
grep -q 'CDFILIAL="001"' "$scratch/till/Brindal.cds" || { echo "tov-new-till wrote no row"; exit 1; }

mkdir -p "$scratch/cmake-host"
cat > "$scratch/cmake-host/cxx_host.cpp" <<'CXX'
// A C++ host: the public C++ headers, with no language standard of its own.
#include <cstdio>

#include "tov00300/tov00300.h"

int main() {
  const Tov00300::Variant bag = Tov00300::MakeBag({{"CDFILIAL", "001"}});
  std::printf("%s %s\n", Tov00300::FormatFloat("0.00", 1.005).c_str(),
              Tov00300::FindInBag(bag, "cdfilial")->AsString().c_str());
  return 0;
}
CXX
cat > "$scratch/cmake-host/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(host C CXX)
find_package(tov00300 1.0 REQUIRED)
add_executable(sale "$hosts/sale.c")
add_executable(cxx_host cxx_host.cpp)
foreach(target sale cxx_host)
  target_compile_options(\${target} PRIVATE $extra)
  target_link_options(\${target} PRIVATE $extra)
  target_link_libraries(\${target} PRIVATE tov00300::tov00300)
endforeach()
CMAKE
cmake -S "$scratch/cmake-host" -B "$scratch/cmake-host/build" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
cmake --build "$scratch/cmake-host/build" >/dev/null
LC_ALL=C "$scratch/cmake-host/build/cxx_host" | grep -q '^1.01 001$' || { echo "the C++ host failed"; exit 1; }

# Embedded with add_subdirectory: every path is the project's own, never the
# embedding project's (configured here; the objects are the same as above).
if grep -rn --include=CMakeLists.txt --include='*.cmake' -e 'CMAKE_SOURCE_DIR' -e 'CMAKE_BINARY_DIR' \
     "$source" --exclude-dir=build* --exclude-dir=.git; then
  echo "the project's CMake files must use PROJECT_SOURCE_DIR / PROJECT_BINARY_DIR"; exit 1
fi
mkdir -p "$scratch/embed"
cat > "$scratch/embed/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(embedding C CXX)
add_subdirectory("$source" tov00300)
add_executable(host "$hosts/sale.c")
target_link_libraries(host PRIVATE tov00300)
CMAKE
cmake -S "$scratch/embed" -B "$scratch/embed/build" -DCMAKE_C_COMPILER="$cc" \
  -DCMAKE_CXX_COMPILER="$cxx" >"$scratch/embed.out" 2>&1 ||
  { cat "$scratch/embed.out"; echo "the project does not configure under add_subdirectory"; exit 1; }

if [ -n "$python" ]; then
  run_python() { env -u TOV00300_LIBRARY LD_PRELOAD="$preload" ASAN_OPTIONS=detect_leaks=0 "$@"; }
  found=$(PYTHONPATH="$prefix/lib/python3/site-packages" run_python "$python" -c \
    'import tov00300; print(tov00300.library().path)')
  case "$found" in
    "$prefix"/*) ;;
    *) echo "the installed Python package loaded $found"; exit 1 ;;
  esac
  # pip from the tree, offline: setuptools comes from the system's python. A
  # copy is built, so the source tree gets no build folder.
  if "$python" -m venv --system-site-packages "$scratch/venv" >/dev/null 2>&1; then
    cp -R "$source/python" "$scratch/python-tree"
    "$scratch/venv/bin/python" -m pip install -q --no-build-isolation --no-index \
      --disable-pip-version-check "$scratch/python-tree" >"$scratch/pip.out" 2>&1 ||
      { cat "$scratch/pip.out"; echo "pip could not install the Python package"; exit 1; }
    TOV00300_LIBRARY="$prefix/lib/libtov00300.so.1" LD_PRELOAD="$preload" ASAN_OPTIONS=detect_leaks=0 \
      "$scratch/venv/bin/python" -c 'import tov00300; assert tov00300.library().tov_version() == b"1.0.0"'
  else
    echo "no venv module for $python: pip install was not tried"
  fi
fi
echo "installed package: C host with pkg-config and find_package, C++ host, Python; embedded"
