#!/usr/bin/env bash
# Sets Kessory up on a Debian machine and then runs it or its tests.
#   tools/setup.sh run     install what is missing, build, supply DATA/DATA.DAT if absent, start the program
#   tools/setup.sh test    install what is missing, build, run the whole test suite on a book file, then again on
#                          a throw-away PostgreSQL cluster on loopback (tools/pg-cluster.sh)
#   tools/setup.sh bench   install what is missing, build, print the benchmark table on large synthetic books
#   tools/setup.sh sanitize  the whole test suite again, built by clang with the address and undefined-behaviour
#                          sanitizers and libFuzzer (CI runs it after the test command)
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KESSORY_BUILD_DIR:-$root/build}

packages=(cmake ninja-build g++ make pkg-config qt6-base-dev libsqlite3-dev libsodium-dev libgtest-dev googletest
          fonts-wqy-microhei xvfb xauth libxlsxwriter-dev poppler-utils unzip libpq-dev)
# The test run also needs a PostgreSQL server to start a throw-away cluster from.
[ "$mode" = test ] && packages+=(postgresql)
if [ "$mode" = sanitize ]; then
    packages+=(clang libclang-rt-dev)
    build=${KESSORY_SANITIZE_BUILD_DIR:-$root/build-asan}
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

werror=OFF
[ "${CI:-}" = true ] && werror=ON
if [ "$mode" = sanitize ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESSORY_FUZZ=ON \
        -DKESSORY_BENCH=OFF -DKESSORY_WERROR=$werror
else
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESSORY_WERROR=$werror
fi
# Running needs only the program and the database maker; tests and benchmarks are built by their own modes.
case "$mode" in
run) cmake --build "$build" --target kessory ;;
*) cmake --build "$build" ;;
esac

case "$mode" in
run)
    # The build put the supplied sample database at bin/DATA/DATA.DAT if there was none.
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: Kessory runs under a virtual X server (xvfb-run), unseen; to see its window, run this command in a desktop session or over ssh -X."
        exec xvfb-run -a "$build/bin/kessory"
    fi
    exec "$build/bin/kessory"
    ;;
test)
    export QT_QPA_PLATFORM=offscreen
    unset KESSORY_TEST_POSTGRES
    echo "== The whole suite on a book file (SQLite)"
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
    # Then on a server: a cluster of its own in a temporary folder, on the first free loopback port from 55432.
    cluster=$(mktemp -d /tmp/kessory-pg.XXXXXX)
    port=55432
    while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
    trap 'bash "$root/tools/pg-cluster.sh" stop "$cluster/data" >/dev/null 2>&1 || true; rm -rf "$cluster"' EXIT
    chmod 755 "$cluster"
    url=$(bash "$root/tools/pg-cluster.sh" start "$cluster/data" "$port")
    psql -q "$url" -c "CREATE DATABASE kessory_test" >/dev/null
    export KESSORY_TEST_POSTGRES="${url%/postgres}/kessory_test"
    echo "== The whole suite on a PostgreSQL server ($KESSORY_TEST_POSTGRES)"
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
    ;;
bench)
    exec "$build/bin/kessory_bench"
    ;;
sanitize)
    export QT_QPA_PLATFORM=offscreen
    # Qt and the font libraries keep some memory to the end of the process on purpose: leaks are not checked.
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
    ;;
*)
    echo "usage: tools/setup.sh run|test|bench|sanitize" >&2
    exit 2
    ;;
esac
