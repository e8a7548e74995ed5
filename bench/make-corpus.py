#!/usr/bin/env python3
"""Writes a corpus of MP3 files with varied tags for the benchmarks, from a fixed seed.

Every byte is made here: ID3v2.3 and 2.4 tags with Latin-1, UTF-16 and UTF-8 texts, ID3v1
blocks, cover art in every tenth file, then CBR or Xing VBR MPEG-1 Layer III frames (silent
frames of the right lengths, so that any reader finds consistent headers).

    make-corpus.py OUTPUT_DIR [--count N] [--small]

--small keeps each file to a few frames and the art to a few hundred bytes (fuzzing seeds).
"""

import argparse
import pathlib
import random
import struct

GENERATOR_VERSION = 1

WORDS = [
    "Chapter", "Part", "The", "Night", "River", "Garden", "Letters", "Winter", "Journey",
    "Kapitel", "Zauberberg", "Müller", "Straße", "café", "Élise", "Ñandú", "Øresund",
    "Глава", "Война", "мир", "第一章", "夜", "物語", "Κεφάλαιο", "אגדה", "Dvořák", "Łódź",
]
LATIN1_WORDS = [w for w in WORDS if all(ord(c) < 256 for c in w)]

BIT_RATES = {32: 1, 40: 2, 48: 3, 56: 4, 64: 5, 80: 6, 96: 7, 112: 8, 128: 9, 160: 10,
             192: 11, 224: 12, 256: 13, 320: 14}
SAMPLE_RATES = {44100: 0, 48000: 1, 32000: 2}


def seven_bit(value):
    return bytes((value >> shift) & 0x7F for shift in (21, 14, 7, 0))


def encode_text(text, encoding):
    """The encoding byte and the text as the frame holds it, with its terminator."""
    if encoding == 0:
        return b"\x00" + text.encode("latin-1") + b"\x00"
    if encoding == 1:
        return b"\x01" + b"\xff\xfe" + text.encode("utf-16-le") + b"\x00\x00"
    if encoding == 2:
        return b"\x02" + text.encode("utf-16-be") + b"\x00\x00"
    return b"\x03" + text.encode("utf-8") + b"\x00"


def frame(version, identifier, content):
    size = seven_bit(len(content)) if version == 4 else struct.pack(">I", len(content))
    return identifier.encode() + size + b"\x00\x00" + content


def phrase(rng, words, count):
    return " ".join(rng.choice(words) for _ in range(count))


def id3v2_tag(rng, version, art_size):
    encodings = [0, 1] if version == 3 else [1, 2, 3]
    encoding = rng.choice(encodings)
    words = LATIN1_WORDS if encoding == 0 else WORDS
    track = rng.randint(1, 40)
    year = rng.randint(1950, 2024)
    texts = [
        ("TIT2", f"{track:02d} {phrase(rng, words, rng.randint(1, 5))}"),
        ("TPE1", phrase(rng, words, 2)),
        ("TALB", phrase(rng, words, 3)),
        ("TCON", rng.choice(["Audiobook", "Speech", "(101)", "Spoken & Audio"])),
        ("TRCK", f"{track}/{rng.randint(track, 60)}"),
        ("TYER" if version == 3 else "TDRC", str(year)),
        ("TSSE", "LAME 3.100"),
    ]
    rng.shuffle(texts)
    body = b"".join(frame(version, ident, encode_text(text, encoding)) for ident, text in texts)
    body += frame(version, "COMM", b"\x00eng\x00" + phrase(rng, LATIN1_WORDS, 6).encode("latin-1"))
    if art_size:
        picture = b"\xff\xd8\xff\xe0" + rng.randbytes(art_size - 4)
        body += frame(version, "APIC", b"\x00image/jpeg\x00\x03\x00" + picture)
    body += bytes(rng.choice([0, 0, 256, 1024, 2048]))
    return b"ID3" + bytes([version, 0, 0]) + seven_bit(len(body)) + body


def id3v1_block(rng):
    def field(text, width):
        return text.encode("latin-1")[:width].ljust(width, b"\x00")

    return (b"TAG" + field(phrase(rng, LATIN1_WORDS, 3), 30) + field(phrase(rng, LATIN1_WORDS, 2), 30)
            + field(phrase(rng, LATIN1_WORDS, 2), 30) + field(str(rng.randint(1950, 2024)), 4)
            + field("made for the benchmark", 28) + b"\x00" + bytes([rng.randint(1, 40), 101]))


def frame_length(bit_rate, sample_rate):
    return 144 * bit_rate * 1000 // sample_rate


def audio_frame(bit_rate, sample_rate, mono):
    header = bytes([0xFF, 0xFB, (BIT_RATES[bit_rate] << 4) | (SAMPLE_RATES[sample_rate] << 2),
                    0xC4 if mono else 0x44])
    return header + bytes(frame_length(bit_rate, sample_rate) - 4)


def xing_frame(sample_rate, mono, frames, size):
    """A first frame holding the Xing header with frame and byte counts and a seek table."""
    first = bytearray(audio_frame(128, sample_rate, mono))
    at = 4 + (17 if mono else 32)
    toc = bytes(min(255, i * 256 // 100) for i in range(100))
    xing = b"Xing" + struct.pack(">III", 0x0F, frames, size) + toc + struct.pack(">I", 60)
    first[at:at + len(xing)] = xing
    return bytes(first)


def audio(rng, seconds, small):
    sample_rate = rng.choice([44100, 44100, 48000, 32000])
    mono = rng.random() < 0.5
    count = 3 if small else max(1, seconds * sample_rate // 1152)
    if rng.random() < 0.6:
        one = audio_frame(rng.choice([32, 64, 96, 128, 160]), sample_rate, mono)
        return one * count
    pool = [audio_frame(rate, sample_rate, mono) for rate in (48, 64, 80, 96, 112, 128)]
    frames = b"".join(rng.choice(pool) for _ in range(count))
    head = xing_frame(sample_rate, mono, count, 0)
    return xing_frame(sample_rate, mono, count, len(head) + len(frames)) + frames


def mp3_file(rng, index, small):
    art_size = (300 if small else 200 * 1024) if index % 10 == 0 else 0
    kind = rng.random()
    head = b""
    if kind < 0.9:
        head = id3v2_tag(rng, rng.choice([3, 4]), art_size)
    tail = id3v1_block(rng) if kind >= 0.9 or rng.random() < 0.5 else b""
    return head + audio(rng, rng.randint(2, 30), small) + tail


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output", type=pathlib.Path)
    parser.add_argument("--count", type=int, default=1000)
    parser.add_argument("--small", action="store_true")
    args = parser.parse_args()

    args.output.mkdir(parents=True, exist_ok=True)
    rng = random.Random(20240611)
    for index in range(args.count):
        path = args.output / f"{index:04d}.mp3"
        path.write_bytes(mp3_file(rng, index, args.small))
    stamp = f"version {GENERATOR_VERSION} count {args.count} small {int(args.small)}\n"
    (args.output / "corpus.stamp").write_text(stamp)


if __name__ == "__main__":
    main()
