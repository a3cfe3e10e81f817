# Sourced by run.sh and test.sh: the two build folders they share, each
# configured with every option either command relies on. CMake keeps an
# option in its cache until it is named again, so both commands name the same
# ones: run.sh then builds only what it needs from the same cache, and
# whichever command ran before, test.sh finds the tests configured.

# configure_native: build/native with the tests and benchmarks; its mkdict
# builds the dictionary images of the Windows build.
configure_native() {
  cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVETTA_TESTS=ON -DORVETTA_BENCH=ON -DORVETTA_SANITIZE=OFF -DORVETTA_FUZZ=OFF >/dev/null
}

# configure_windows: build/win, the mingw-w64 cross build (the Wine tests in
# tests/ui come with it) on the native mkdict.
configure_windows() {
  cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DORVETTA_TESTS=OFF \
    -DORVETTA_MKDICT="$PWD/build/native/tools/mkdict" >/dev/null
}
