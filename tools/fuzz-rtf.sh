#!/bin/sh
# Builds the RTF reader fuzz target with clang (libFuzzer, AddressSanitizer, UBSan) in
# build-fuzz and runs it for N seconds (default 60) from the word-processor fixtures. Any crash,
# leak, hang (10 s per input) or memory use above 2 GB fails the run.
#   tools/fuzz-rtf.sh [seconds]
set -eu
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQUORVANE_FUZZ=ON -DQUORVANE_BENCH=OFF >/dev/null
ninja -C "$build" rtf_reader_fuzz
corpus="$build/rtf-corpus"
mkdir -p "$corpus"
cp "$root"/tests/fixtures/rtf/*.rtf "$root"/tests/fixtures/rtf/cases/*.rtf "$corpus/"
artifacts="$build/rtf-artifacts"
mkdir -p "$artifacts"
QT_QPA_PLATFORM=offscreen \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
ASAN_OPTIONS=detect_leaks=1 \
"$build/rtf_reader_fuzz" "$corpus" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix="$artifacts/" -print_final_stats=1
