# Shared set-up of ./run and ./test: dependencies, the Release build and the
# generated data folder. Sourced, not run.
BUILD_DIR=build/release
JOBS=$(nproc 2>/dev/null || echo 2)

prepare_release_build() {
    ./scripts/install-deps
    cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DZEPHYRAIL_WERROR=ON >/dev/null
    cmake --build "$BUILD_DIR" -j "$JOBS"
    "$BUILD_DIR/zephyrail-assets" data
}
