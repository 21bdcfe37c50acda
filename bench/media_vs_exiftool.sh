#!/usr/bin/env bash
# Reading <taken>, <make> and <model> from COUNT JPEGs of 2-5 MB each (default 10,000),
# warm, natively: Vorlix's readers (bench_media_facts, built here with -O2) against
# `exiftool -DateTimeOriginal -Make -Model -j` over the same files, in one run.
# The files are a camera-like JPEG followed by 2-5 MB of picture data left sparse, made
# under the temp dir and removed afterwards.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
count="${1:-10000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O2 -I"$root/src" "$root/bench/media_facts.cpp" "$root"/src/metadata/*.cpp \
  "$root/src/platform/file_services.cpp" "$root/src/platform/civil_time.cpp" -o "$work/media_facts"
mkdir "$work/photos"
sample="$root/tests/metadata/samples/photo.jpg"
for i in $(seq 1 "$count"); do
  cp "$sample" "$work/photos/p$i.jpg"
  truncate -s $(( (2 + i % 4) * 1024 * 1024 )) "$work/photos/p$i.jpg"
done
# Warm: both read files the system has just had.
cat "$work"/photos/* >/dev/null
start=$(date +%s.%N)
"$work/media_facts" "$work"/photos/*.jpg >/dev/null 2>&1
ours=$(echo "$(date +%s.%N) - $start" | bc)
start=$(date +%s.%N)
exiftool -q -DateTimeOriginal -Make -Model -j "$work"/photos/*.jpg >/dev/null
theirs=$(echo "$(date +%s.%N) - $start" | bc)
echo "media: $count JPEGs: Vorlix ${ours} s, exiftool ${theirs} s, $(echo "scale=1; $theirs / $ours" | bc)x"
