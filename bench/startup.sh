#!/usr/bin/env bash
# Times the start of the windowed program - from starting the process until the birth details
# window has handed its first frame to the platform, where each program ends at once, without
# tearing anything down - and reads its peak memory,
# against two Qt Widgets windows of the same size built by the same CMake project: bench/baseline,
# empty, the floor for memory, and bench/textbaseline, showing five word-wrapped paragraphs, the
# floor for processor time (any text costs loading and shaping a font). All are built in Release
# and run alternately, RUNS times each after one unmeasured run, offscreen and, when xvfb-run is
# installed, under Xvfb as well. Prints the medians, the ratios to both windows, and the two that
# matter: processor time / text window and peak memory / empty window.
#
# Wall and processor time (user + system) come from bash's `time`, the peak memory from
# /usr/bin/time around the program. The median times of the same pair starting `true` are
# subtracted from both programs, so that the ratios compare the programs and not the measuring.
# On a busy machine the wall time also holds the waits for a processor; the processor time does
# not, and is the steadier of the two there.
#
#   bench/startup.sh        with BUILD_BENCH (build folder, default build-bench) and RUNS (20)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_BENCH:-build-bench}
case $build in /*) ;; *) build=$root/$build ;; esac
runs=${RUNS:-20}
probe=$build/bench/startup_probe
reading=$root/tests/data/ann-1970-05-01.nsk
baseline=$build/bench/baseline
textbaseline=$build/bench/textbaseline

# The median of the numbers on standard input.
median() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) exit 1
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One run of a program: prints "<wall ms> <processor ms> <peak RSS kB>". What the program says
# on its standard error is collected in $errors.
TIMEFORMAT='%3R %3U %3S'
measure() {
    local memory timing real user system
    memory=$(mktemp)
    timing=$(mktemp)
    { time /usr/bin/time -f %M -o "$memory" "$@" >/dev/null 2>>"$errors"; } 2>"$timing"
    read -r real user system <"$timing"
    awk -v r="$real" -v u="$user" -v s="$system" -v m="$(tail -n 1 "$memory")" \
        'BEGIN { printf "%.0f %.0f %d\n", r * 1000, (u + s) * 1000, m }'
    rm -f "$memory" "$timing"
}

# The measured series on the platform of the environment; called by this script itself, under
# xvfb-run for Xvfb.
series() {
    local label=$1 folder size i
    folder=$(mktemp -d)
    errors=$folder/errors.txt
    # The first run writes the settings store; the measured ones find it, as most starts do.
    size=$("$probe" "$folder" 2>>"$errors")
    "$baseline" "$size" 2>>"$errors"
    "$textbaseline" "$size" 2>>"$errors"
    local probeRuns=() baseRuns=() textRuns=() launcherRuns=() fileRuns=()
    for ((i = 0; i < runs; i++)); do
        baseRuns+=("$(measure "$baseline" "$size")")
        textRuns+=("$(measure "$textbaseline" "$size")")
        probeRuns+=("$(measure "$probe" "$folder")")
        fileRuns+=("$(measure "$probe" "$folder" "$reading")")
        launcherRuns+=("$(measure true)")
    done

    # column <number> <runs...>: the median of that column of the runs.
    column() {
        local field=$1
        shift
        printf '%s\n' "$@" | cut -d' ' -f"$field" | median
    }
    awk -v label="$label" -v size="$size" -v runs="$runs" \
        -v lw="$(column 1 "${launcherRuns[@]}")" -v lc="$(column 2 "${launcherRuns[@]}")" \
        -v bw="$(column 1 "${baseRuns[@]}")" -v bc="$(column 2 "${baseRuns[@]}")" \
        -v bm="$(column 3 "${baseRuns[@]}")" \
        -v tw="$(column 1 "${textRuns[@]}")" -v tc="$(column 2 "${textRuns[@]}")" \
        -v tm="$(column 3 "${textRuns[@]}")" \
        -v pw="$(column 1 "${probeRuns[@]}")" -v pc="$(column 2 "${probeRuns[@]}")" \
        -v pm="$(column 3 "${probeRuns[@]}")" \
        -v fw="$(column 1 "${fileRuns[@]}")" -v fc="$(column 2 "${fileRuns[@]}")" \
        -v fm="$(column 3 "${fileRuns[@]}")" 'BEGIN {
        printf "%s, window %s, medians of %d runs each", label, size, runs
        printf " (launcher %.0f ms wall, %.0f ms processor subtracted)\n", lw, lc
        printf "  %-10s %8s %13s %12s\n", "", "wall ms", "processor ms", "peak RSS MB"
        printf "  %-10s %8.0f %13.0f %12.1f\n", "empty", bw - lw, bc - lc, bm / 1024
        printf "  %-10s %8.0f %13.0f %12.1f\n", "text", tw - lw, tc - lc, tm / 1024
        printf "  %-10s %8.0f %13.0f %12.1f\n", "kistarra", pw - lw, pc - lc, pm / 1024
        printf "  %-10s %7.2fx %12.2fx %11.2fx\n", "/ empty",
            (pw - lw) / (bw - lw), (pc - lc) / (bc - lc), pm / bm
        printf "  %-10s %7.2fx %12.2fx %11.2fx\n", "/ text",
            (pw - lw) / (tw - lw), (pc - lc) / (tc - lc), pm / tm
        printf "  processor time / text window %.2fx, peak memory / empty window %.2fx\n",
            (pc - lc) / (tc - lc), pm / bm
        printf "  with a saved reading, to the result window shown:\n"
        printf "  %-10s %8.0f %13.0f %12.1f\n", "kistarra", fw - lw, fc - lc, fm / 1024
        printf "  %-10s %7.2fx %12.2fx %11.2fx   (times / text window, memory / empty window)\n",
            "ratio", (fw - lw) / (tw - lw), (fc - lc) / (tc - lc), fm / bm
    }'
    if [ -s "$errors" ]; then
        echo "  said on standard error:"
        sort -u "$errors" | sed 's/^/    /'
    fi
    rm -rf "$folder"
}

if [ "${1:-}" = --series ]; then
    series "$2"
    exit
fi

generator=()
if [ ! -f "$build/CMakeCache.txt" ]; then
    generator=(-G "$(command -v ninja >/dev/null && echo Ninja || echo 'Unix Makefiles')")
fi
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DKISTARRA_BENCH=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target startup_probe baseline textbaseline

export LC_ALL=C.UTF-8
# Without a runtime folder every Qt start warns about it.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

QT_QPA_PLATFORM=offscreen series offscreen
if command -v xvfb-run >/dev/null; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --series Xvfb
else
    echo "Xvfb: not measured, xvfb-run is not installed"
fi
