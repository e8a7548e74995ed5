#!/usr/bin/env python3
"""Writes the settings files of the start-up benchmark: one profile whose album list holds one
real album (the MP3 files of ALBUM_DIR with a playlist written here, positioned at a resume mark)
followed by albums whose folders do not exist, as after a moved disk.

    make-profiles.py ALBUM_DIR OUTPUT_DIR COUNT...

Writes OUTPUT_DIR/albums-COUNT/sonnalby.dat for each COUNT (1 for the real album alone).
"""

import argparse
import pathlib
import random

RESUME_RECORD = 7
RESUME_SECONDS = 1


def internal(path):
    """The program's internal form of an absolute path, stored as album lines store paths."""
    return str(path).replace("/", "\\").replace("=", "*")


def write_playlist(album):
    names = sorted(p.name for p in album.glob("*.mp3"))
    lines = ["<smil><head><title>Benchmark</title></head><body><seq>"]
    lines += [f'<media src="{name}" title="Chapter {i + 1}"/>' for i, name in enumerate(names)]
    lines.append("</seq></body></smil>")
    (album / "index.wpl").write_bytes("\r\n".join(lines).encode() + b"\r\n")
    return names


def stamp(rng):
    return (f"{rng.randint(2015, 2024)}:{rng.randint(1, 12):02d}:{rng.randint(1, 28):02d}:"
            f"{rng.randint(0, 23):02d}:{rng.randint(0, 59):02d}:{rng.randint(0, 59):02d}")


def album_line(path, rng, title, records, marks):
    fields = [stamp(rng), title, "65001", str(records), str(records * 600),
              str(rng.randint(20, 100)), marks]
    return internal(path) + "=" + "=".join(fields)


def settings_text(album, names, count):
    rng = random.Random(count)
    resume = internal(album / names[RESUME_RECORD]) + f"/{RESUME_SECONDS}/"
    lines = [album_line(album / "index.wpl", rng, "Benchmark", len(names), resume)]
    for number in range(1, count):
        moved = pathlib.PurePosixPath(f"/media/moved/Book {number:05d}")
        marks = internal(moved / "01.mp3") + f"/{rng.randint(0, 3000)}/|"
        marks += internal(moved / "02.mp3") + "/120/Bookmark"
        lines.append(album_line(moved / "index.wpl", rng, f"Book {number}", 12, marks))
    sections = ["[mProfileList]", "0=Default", "", "[Default]", "FilterIndex=3", "",
                "[Default\\mFileList]", *lines]
    return "\r\n".join(sections) + "\r\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("album", type=pathlib.Path)
    parser.add_argument("output", type=pathlib.Path)
    parser.add_argument("counts", type=int, nargs="+")
    args = parser.parse_args()
    album = args.album.resolve()
    names = write_playlist(album)
    if len(names) <= RESUME_RECORD:
        parser.error(f"{album} holds fewer than {RESUME_RECORD + 1} MP3 files")
    for count in args.counts:
        folder = args.output / f"albums-{count}"
        folder.mkdir(parents=True, exist_ok=True)
        (folder / "sonnalby.dat").write_bytes(settings_text(album, names, count).encode())


if __name__ == "__main__":
    main()
