#!/usr/bin/env python3
"""Reads every sample with Vorlix's readers (bench_media_facts) and with exiftool -j and
compares them field by field: each fact either both have must be equal, and a fact
exiftool finds must be found too (a video's pixel size excepted: no field needs it).
Songs: their tags, numbers by their leading digits ("7/12" is 7, a date its year). A sample
exiftool cannot read at all (its "Error") is listed and passed over."""
import json, re, subprocess, sys

dump, samples = sys.argv[1], sys.argv[2:]
ours = {}
for line in subprocess.run([dump] + samples, capture_output=True, text=True, check=True).stdout.splitlines():
    path, key, value = line.split("\t")
    ours.setdefault(path, {})[key] = value
# Photos' values as stored ("#"), songs' as shown (an ID3v1 genre by its name).
tags = ["-DateTimeOriginal#", "-CreateDate#", "-Make", "-Model", "-LensModel", "-ISO#", "-ImageWidth#", "-ImageHeight#",
        "-Artist", "-Author", "-Band", "-AlbumArtist", "-Album", "-AlbumTitle", "-Title", "-Genre", "-Year", "-RecordingTime", "-Date",
        "-ContentCreateDate", "-Track", "-TrackNumber", "-PartOfSet", "-DiscNumber", "-DiskNumber"]
# exiftool ends with 1 when it cannot read a file: that file's "Error" tells.
theirs = json.loads(subprocess.run(["exiftool", "-j", "-charset", "utf8", "-Error"] + tags + samples, capture_output=True,
                                   text=True).stdout)

def first(entry, *names):
    return next((entry[n] for n in names if entry.get(n) not in (None, "")), None)

def number(value):  # "7/12", "5 of 8", "2019-05-03": the leading digits
    found = re.match(r"\s*(\d+)", str(value)) if value is not None else None
    return int(found.group(1)) if found else None

failures = 0
for entry in theirs:
    path = entry["SourceFile"]
    if "Error" in entry:
        print(f"{path}: exiftool: {entry['Error']}: not compared")
        continue
    video = path.endswith((".mp4", ".mov", ".m4v", ".3gp"))
    song = path.endswith((".mp3", ".flac", ".ogg", ".m4a", ".opus", ".wma", ".wv"))
    want = {"taken": None if song else entry.get("DateTimeOriginal", entry.get("CreateDate")), "make": entry.get("Make"),
            "model": entry.get("Model"), "lens": entry.get("LensModel"), "iso": entry.get("ISO"),
            "width": None if video else entry.get("ImageWidth"),
            "height": None if video else entry.get("ImageHeight"),
            "artist": first(entry, "Artist", "Author"), "albumartist": first(entry, "Band", "AlbumArtist"),
            "album": first(entry, "Album", "AlbumTitle"), "title": first(entry, "Title"), "genre": first(entry, "Genre"),
            "year": number(first(entry, "RecordingTime", "Date", "ContentCreateDate", "Year")),
            "track": number(first(entry, "Track", "TrackNumber")),
            "disc": number(first(entry, "PartOfSet", "DiscNumber", "Discnumber", "DiskNumber"))}
    got = ours.get(path, {})
    for key, value in want.items():
        expected = None if value is None else str(value)
        if got.get(key) != expected:
            print(f"{path}: {key}: ours {got.get(key)!r}, exiftool {expected!r}")
            failures += 1
print(f"{len(theirs)} samples, {failures} differences")
sys.exit(1 if failures or len(theirs) != len(samples) else 0)
