# Shared set-up of ./run and ./test: dependencies, a build folder and the
# generated data folder. Sourced, not run.
JOBS=$(nproc 2>/dev/null || echo 2)

# configure_build DIR CMAKE-OPTIONS...: configures a build folder the first
# time only; after that the build itself re-runs CMake whenever a
# CMakeLists.txt changes, which keeps a second ./run quick.
configure_build() {
    dir=$1
    shift
    if [ -f "$dir/Makefile" ] || [ -f "$dir/build.ninja" ]; then
        return 0
    fi
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

# build_with_data DIR TARGETS...: builds the targets and the game-data
# target, which makes data/ again only when zephyrail-assets was rebuilt
# (its stamp is then older than the generator). A data folder that has gone
# (a git clean) is made again whatever the stamp says.
build_with_data() {
    dir=$1
    shift
    if [ ! -f data/setup.bin ]; then
        rm -f "$dir/game-data.stamp"
    fi
    cmake --build "$dir" -j "$JOBS" --target "$@" game-data
}
