#!/usr/bin/env bash
# bench/media_vs_exiftool.sh [COUNT] [photos|songs]
# Reading <taken>, <make> and <model> from COUNT JPEGs of 2-5 MB each (default 10,000),
# or <artist>, <title> and <track> from COUNT MP3s of 3-5 MB, warm, natively: Vorlix's
# readers (bench_media_facts, built here with -O2) against exiftool asked for the same
# tags (-j) over the same files, in one run. The files (see make_bench_files.sh) are made
# under the temp dir and removed afterwards.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/bench/make_bench_files.sh"
count="${1:-10000}"
kind="${2:-photos}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O2 -I"$root/src" -I/usr/include/taglib "$root/bench/media_facts.cpp" "$root"/src/metadata/*.cpp \
  "$root/src/platform/file_services.cpp" "$root/src/platform/civil_time.cpp" -ltag -o "$work/media_facts"
mkdir "$work/files"
make_bench_files "$kind" "$count" "$work/files"
tags=(-DateTimeOriginal -Make -Model)
[ "$kind" = songs ] && tags=(-Artist -Title -Track)
# Warm: both read files the system has just had.
warm_bench_files "$work/files"
start=$(date +%s.%N)
"$work/media_facts" "$work"/files/* >/dev/null 2>&1
ours=$(echo "$(date +%s.%N) - $start" | bc)
start=$(date +%s.%N)
exiftool -q "${tags[@]}" -j "$work"/files/* >/dev/null
theirs=$(echo "$(date +%s.%N) - $start" | bc)
echo "media: $count $kind: Vorlix ${ours} s, exiftool ${theirs} s, $(echo "scale=1; $theirs / $ours" | bc)x"
