#!/usr/bin/env bash
# Builds the page-selection fuzz target with clang (libFuzzer, ASan, UBSan) in a temporary
# folder and runs it for a bounded time. Usage: run-fuzz.sh [seconds]
set -euo pipefail

seconds="${1:-20}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="$(cd "$here/../../src" && pwd)"

if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ not found: fuzzing skipped"
    exit 0
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

read -r -a qt_flags <<<"$(pkg-config --cflags --libs Qt6Core)"
clang++ -std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -DQT_NO_CAST_FROM_ASCII -DQT_USE_QSTRINGBUILDER -DQT_DISABLE_DEPRECATED_BEFORE=0x060400 \
    -I"$src" "$here/fuzz_pageselection.cpp" "$src/core/options/pageselection.cpp" \
    "${qt_flags[@]}" -o "$work/fuzz_pageselection"

# Seeds: the first byte is the page count.
mkdir "$work/corpus"
printf '\x09%s' '1,3,7-9' >"$work/corpus/list"
printf '\x05%s' '3-,1,2,' >"$work/corpus/open-end"
printf '\x00%s' 'All' >"$work/corpus/all"
printf '\x01%s' '1-99999999999' >"$work/corpus/huge"

"$work/fuzz_pageselection" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 \
    -timeout=10 -print_final_stats=1 "$work/corpus"
