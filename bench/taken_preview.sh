#!/usr/bin/env bash
# bench/taken_preview.sh [COUNT] [photos|songs]
# Makes COUNT photos of 2-5 MB (default 10,000), or COUNT songs of 3-5 MB (see
# make_bench_files.sh), in a directory under the temp dir and times the full preview
# under Wine (bench_taken_preview of the Windows build): photos by <taken>, songs by
# "<track:2> - <artist> - <title>". The files are removed afterwards.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
source "$ROOT/bench/make_bench_files.sh"
count="${1:-10000}"
kind="${2:-photos}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
make_bench_files "$kind" "$count" "$work"
warm_bench_files "$work"
dir="Z:$(echo "$work" | tr / '\\')\\"
prefixes=()
[ "$kind" = songs ] && prefixes=("<track:2> - <artist> - <title>" "<track:2> - <artist> - <title> " "<name>")
# Read on one thread, then on the program's choice, each in a fresh process (nothing kept).
with_wine bash -c 'for n in 1 0; do BENCH_READERS=$n wine "$@"; done' - "$WIN_BUILD/bench/bench_taken_preview.exe" \
  "$dir" "${prefixes[@]}"
