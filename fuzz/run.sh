#!/usr/bin/env bash
# Builds the fuzz targets (preset fuzz) and runs both at once, SECONDS in all (default 60,
# half each), each from its seeds in a fresh corpus. Fails on any crash, leak, time-out or
# sanitizer report.
#   fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

# Debian's default clang, whichever version that is, and its runtime with libFuzzer.
packages=(clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >&2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pids=()
for target in picture options; do
    mkdir "$work/$target"
    build/fuzz/fuzz/fuzz_$target -max_total_time=$((seconds / 2)) -timeout=30 -print_final_stats=1 \
        -artifact_prefix="$work/" "$work/$target" "fuzz/corpus/$target" >"$work/$target.log" 2>&1 &
    pids+=($!)
done
status=0
for i in 0 1; do
    target=$([ $i -eq 0 ] && echo picture || echo options)
    if wait "${pids[$i]}"; then
        echo "fuzz_$target: $(grep -E '^stat::number_of_executed_units' "$work/$target.log" |
            cut -d: -f4 | tr -d ' ') inputs, $(grep -oE 'cov: [0-9]+' "$work/$target.log" |
            tail -1), no crash"
    else
        status=1
        echo "fuzz_$target found a fault:" >&2
        grep -A40 -E '^==[0-9]+==|ERROR|runtime error' "$work/$target.log" | head -60 >&2
        cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* . 2>/dev/null || true
    fi
done
exit $status
