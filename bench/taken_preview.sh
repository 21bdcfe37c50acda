#!/usr/bin/env bash
# Makes COUNT photos of 2-5 MB (default 10,000; a camera-like JPEG, the rest sparse) in a
# directory under the temp dir and times the full preview by <taken> over them under
# Wine (bench_taken_preview of the Windows build); the photos are removed afterwards.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
count="${1:-10000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for i in $(seq 1 "$count"); do
  cp "$ROOT/tests/metadata/samples/photo.jpg" "$work/p$i.jpg"
  truncate -s $(( (2 + i % 4) * 1024 * 1024 )) "$work/p$i.jpg"
done
cat "$work"/* >/dev/null
dir="Z:$(echo "$work" | tr / '\\')\\"
with_wine wine "$WIN_BUILD/bench/bench_taken_preview.exe" "$dir"
