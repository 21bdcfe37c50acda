#!/usr/bin/env python3
"""Reads every sample with Vorlix's readers (bench_media_facts) and with exiftool -j and
compares them field by field: each fact either both have must be equal, and a fact
exiftool finds must be found too (a video's pixel size excepted: no field needs it)."""
import json, subprocess, sys

dump, samples = sys.argv[1], sys.argv[2:]
ours = {}
for line in subprocess.run([dump] + samples, capture_output=True, text=True, check=True).stdout.splitlines():
    path, key, value = line.split("\t")
    ours.setdefault(path, {})[key] = value
tags = ["-DateTimeOriginal", "-CreateDate", "-Make", "-Model", "-LensModel", "-ISO", "-ImageWidth", "-ImageHeight"]
theirs = json.loads(subprocess.run(["exiftool", "-j", "-n"] + tags + samples, capture_output=True, text=True,
                                   check=True).stdout)
failures = 0
for entry in theirs:
    path = entry["SourceFile"]
    video = path.endswith((".mp4", ".mov", ".m4v", ".3gp"))
    want = {"taken": entry.get("DateTimeOriginal", entry.get("CreateDate")), "make": entry.get("Make"),
            "model": entry.get("Model"), "lens": entry.get("LensModel"), "iso": entry.get("ISO"),
            "width": None if video else entry.get("ImageWidth"),
            "height": None if video else entry.get("ImageHeight")}
    got = ours.get(path, {})
    for key, value in want.items():
        expected = None if value is None else str(value)
        if got.get(key) != expected:
            print(f"{path}: {key}: ours {got.get(key)!r}, exiftool {expected!r}")
            failures += 1
print(f"{len(theirs)} samples, {failures} differences")
sys.exit(1 if failures or len(theirs) != len(samples) else 0)
