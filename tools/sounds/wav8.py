# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writing and checking the game's 8-bit WAV files.

Every sound the game ships is PCM, mono, 22050 Hz, 8 bits unsigned
(silence is the byte 128).  Three chunk layouts are in use:

  "fmt18-fact": an 18-byte "fmt " chunk (the 16 usual bytes plus cbSize = 0),
                a 4-byte "fact" chunk holding the sample count, then "data";
  "fmt16-fact": a 16-byte "fmt " chunk, a "fact" chunk, then "data";
  "fmt16":      a 16-byte "fmt " chunk and no "fact" chunk, then "data".

sox cannot write the first two, so this module writes all of them itself.
"""

import struct

RATE = 22050
LAYOUTS = ("fmt18-fact", "fmt16-fact", "fmt16")


def _chunk(tag, payload):
    """One RIFF chunk, padded to an even length as RIFF requires."""
    pad = b"\0" if len(payload) % 2 else b""
    return tag + struct.pack("<I", len(payload)) + payload + pad


def to_bytes(samples):
    """Float samples in [-1, 1] to unsigned 8-bit bytes, rounded, no dither.

    Exact zeros become exactly 128.  Values are clamped to 1..255 so that a
    stray overshoot can never wrap around.
    """
    out = bytearray(len(samples))
    for i, x in enumerate(samples):
        v = 128 + int(round(x * 127.0))
        out[i] = 1 if v < 1 else (255 if v > 255 else v)
    return bytes(out)


def encode(data, layout):
    """A complete WAV file (bytes) around 8-bit sample bytes `data`."""
    if layout not in LAYOUTS:
        raise ValueError("unknown layout " + layout)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)
    if layout == "fmt18-fact":
        fmt += struct.pack("<H", 0)
    body = b"WAVE" + _chunk(b"fmt ", fmt)
    if layout != "fmt16":
        body += _chunk(b"fact", struct.pack("<I", len(data)))
    body += _chunk(b"data", bytes(data))
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write(path, data, layout):
    blob = encode(data, layout)
    with open(path, "wb") as f:
        f.write(blob)
    # Read back what is on disk, so a fault in the writer shows up here.
    with open(path, "rb") as f:
        info = parse(f.read())
    if info["layout"] != layout or info["data"] != bytes(data):
        raise AssertionError("%s: read back differs from what was written" % path)
    return info


class FormatError(Exception):
    pass


def parse(blob):
    """Parse a WAV file strictly and return its layout, header fields and data.

    Raises FormatError for anything that is not one of the three layouts above
    with the game's sample format, or whose sizes do not add up.
    """
    def need(cond, msg):
        if not cond:
            raise FormatError(msg)

    need(len(blob) >= 12, "file too short")
    need(blob[0:4] == b"RIFF" and blob[8:12] == b"WAVE", "not RIFF/WAVE")
    riff_size = struct.unpack_from("<I", blob, 4)[0]
    need(riff_size == len(blob) - 8,
         "RIFF size %d, but the file holds %d bytes after the header" % (riff_size, len(blob) - 8))
    chunks = []
    pos = 12
    while pos < len(blob):
        need(pos + 8 <= len(blob), "truncated chunk header at %d" % pos)
        tag = blob[pos:pos + 4]
        size = struct.unpack_from("<I", blob, pos + 4)[0]
        start = pos + 8
        need(start + size <= len(blob), "chunk %r runs past the end" % tag)
        chunks.append((tag, blob[start:start + size]))
        pos = start + size
        if size % 2:
            need(pos < len(blob), "chunk %r of odd size lacks its pad byte" % tag)
            need(blob[pos] == 0, "pad byte after %r is not zero" % tag)
            pos += 1
    tags = [t for t, _ in chunks]
    need(tags and tags[0] == b"fmt ", "first chunk is %r, not 'fmt '" % (tags[:1],))
    fmt = chunks[0][1]
    if tags == [b"fmt ", b"fact", b"data"] and len(fmt) == 18:
        layout = "fmt18-fact"
    elif tags == [b"fmt ", b"fact", b"data"] and len(fmt) == 16:
        layout = "fmt16-fact"
    elif tags == [b"fmt ", b"data"] and len(fmt) == 16:
        layout = "fmt16"
    else:
        raise FormatError("unexpected chunks %r with a %d-byte fmt" % (tags, len(fmt)))
    tag, ch, rate, byte_rate, align, bits = struct.unpack_from("<HHIIHH", fmt)
    need(tag == 1, "format tag %d, not PCM" % tag)
    need(ch == 1, "%d channels" % ch)
    need(rate == RATE, "rate %d" % rate)
    need(byte_rate == RATE, "byte rate %d" % byte_rate)
    need(align == 1, "block align %d" % align)
    need(bits == 8, "%d bits per sample" % bits)
    if len(fmt) == 18:
        need(struct.unpack_from("<H", fmt, 16)[0] == 0, "cbSize is not 0")
    data = chunks[-1][1]
    if layout != "fmt16":
        fact = chunks[1][1]
        need(len(fact) == 4, "fact chunk of %d bytes" % len(fact))
        n = struct.unpack_from("<I", fact)[0]
        need(n == len(data), "fact says %d samples, data holds %d" % (n, len(data)))
    return {"layout": layout, "data": data, "seconds": len(data) / RATE}


def check_file(path, layout, min_s, max_s, min_peak=1):
    """Problems found in one shipped file (an empty list when it is fine)."""
    problems = []
    try:
        with open(path, "rb") as f:
            info = parse(f.read())
    except (OSError, FormatError) as e:
        return ["%s: %s" % (path, e)]
    if info["layout"] != layout:
        problems.append("%s: layout %s, expected %s" % (path, info["layout"], layout))
    if not (min_s <= info["seconds"] <= max_s):
        problems.append("%s: %.3f s, expected %.2f..%.2f s" % (path, info["seconds"], min_s, max_s))
    data = info["data"]
    if data and (data[0] != 128 or data[-1] != 128):
        problems.append("%s: does not start and end on silence (128)" % path)
    if data and (min(data) <= 1 or max(data) >= 255):
        problems.append("%s: samples reach the limits (clipped)" % path)
    peak = max(abs(b - 128) for b in data) if data else 0
    if peak < min_peak:
        problems.append("%s: peak %d from silence, expected at least %d (too quiet)"
                        % (path, peak, min_peak))
    return problems
