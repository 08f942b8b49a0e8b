#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build (fuzz/CMakeLists.txt) for a
# bounded time, starting from its seed corpus in fuzz/corpus/<name>/. Fails
# when a target finds a crash, a sanitizer report, a leak, a hang or an input
# that needs more than 2 GiB.
#
#   scripts/run-fuzzers.sh BUILD_DIR [SECONDS_PER_TARGET]
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:?usage: $0 BUILD_DIR [SECONDS_PER_TARGET]}
seconds=${2:-60}
build=$(cd "$build" && pwd)

shopt -s nullglob
fuzzers=("$build"/fuzzers/fuzz_*)
if [ ${#fuzzers[@]} -eq 0 ]; then
    echo "No fuzz targets in $build/fuzzers" >&2
    exit 1
fi

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
for exe in "${fuzzers[@]}"; do
    name=${exe##*/fuzz_}
    # New inputs go to a scratch corpus in the build tree; the committed
    # seeds are only read.
    work="$build/fuzz-run/$name"
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/artifacts"
    args=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=30 -print_final_stats=1
          -artifact_prefix="$work/artifacts/")
    if [ -f "$here/fuzz/$name.dict" ]; then
        args+=(-dict="$here/fuzz/$name.dict")
    fi
    corpora=("$work/corpus")
    if [ -d "$here/fuzz/corpus/$name" ]; then
        corpora+=("$here/fuzz/corpus/$name")
    fi

    echo "Fuzzing $name for $seconds s"
    start=$(date +%s)
    if "$exe" "${args[@]}" "${corpora[@]}" >"$work/fuzz.log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/fuzz.log" || true
        echo "Fuzzing $name: no findings in $(($(date +%s) - start)) s"
    else
        tail -n 80 "$work/fuzz.log"
        echo "Fuzzing $name FAILED; the log is $work/fuzz.log, the input in $work/artifacts/" >&2
        failed+=("$name")
    fi
done

echo "fuzzers: $((${#fuzzers[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzz targets with findings: ${failed[*]}" >&2
    exit 1
fi
