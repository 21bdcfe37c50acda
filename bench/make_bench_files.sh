# Sourced by the media benches: make_bench_files KIND COUNT DIR fills DIR with COUNT files
# made from one sample, the rest of each left sparse: "photos" are JPEGs of 2-5 MB,
# "songs" MP3s of 3-5 MB with an ID3v2.3 tag at the start and an ID3v1 tag at the end.
make_bench_files() {
  local kind="$1" count="$2" dir="$3" samples i
  samples="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/metadata/samples"
  for i in $(seq 1 "$count"); do
    if [ "$kind" = songs ]; then
      cp "$samples/v23-utf16.mp3" "$dir/s$i.mp3"
      truncate -s $(( (3 + i % 3) * 1024 * 1024 - 128 )) "$dir/s$i.mp3"
      tail -c 128 "$samples/v1-and-v2.mp3" >>"$dir/s$i.mp3"
    else
      cp "$samples/photo.jpg" "$dir/p$i.jpg"
      truncate -s $(( (2 + i % 4) * 1024 * 1024 )) "$dir/p$i.jpg"
    fi
  done
}

# warm_bench_files DIR: has the system read what the readers read of each file (its first
# and last 64 KiB). A cat of all of them would not do: 10,000 files of 3-5 MB are more
# than the page cache holds, so the heads read first would be gone again by the end.
warm_bench_files() {
  python3 - "$1" <<'PY'
import os, sys
for entry in os.scandir(sys.argv[1]):
    with open(entry.path, "rb") as f:
        f.read(1 << 16)
        f.seek(max(0, entry.stat().st_size - (1 << 16)))
        f.read()
PY
}
