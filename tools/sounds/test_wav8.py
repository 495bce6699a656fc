#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Tests of the WAV writer and strict reader in wav8.py.

Run: /usr/bin/python3 tools/sounds/test_wav8.py
"""

import os
import struct
import sys
import tempfile
import unittest
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wav8  # noqa: E402


def chunks(blob):
    """(tag, size) of each chunk, walked independently of wav8.parse."""
    out, pos = [], 12
    while pos < len(blob):
        tag, size = blob[pos:pos + 4], struct.unpack_from("<I", blob, pos + 4)[0]
        out.append((tag, size))
        pos += 8 + size + (size & 1)
    return out


class Writer(unittest.TestCase):
    def test_layouts(self):
        data = bytes(range(1, 256)) * 3 + b"\x80"       # 766 samples, even
        for layout, expect in (
                ("fmt18-fact", [(b"fmt ", 18), (b"fact", 4), (b"data", 766)]),
                ("fmt16-fact", [(b"fmt ", 16), (b"fact", 4), (b"data", 766)]),
                ("fmt16", [(b"fmt ", 16), (b"data", 766)])):
            blob = wav8.encode(data, layout)
            self.assertEqual(chunks(blob), expect, layout)
            self.assertEqual(struct.unpack_from("<I", blob, 4)[0], len(blob) - 8)
            self.assertEqual(wav8.parse(blob)["data"], data)

    def test_fact_holds_sample_count(self):
        blob = wav8.encode(b"\x80" * 1234, "fmt18-fact")
        i = blob.index(b"fact")
        self.assertEqual(struct.unpack_from("<I", blob, i + 8)[0], 1234)

    def test_odd_data_is_padded(self):
        blob = wav8.encode(b"\x81" * 5, "fmt16")
        self.assertEqual(len(blob), 12 + (8 + 16) + (8 + 5 + 1))
        self.assertEqual(blob[-1], 0)
        self.assertEqual(struct.unpack_from("<I", blob, 4)[0], len(blob) - 8)
        self.assertEqual(wav8.parse(blob)["data"], b"\x81" * 5)

    def test_header_fields(self):
        blob = wav8.encode(b"\x80\x90\x70", "fmt18-fact")
        tag, ch, rate, byte_rate, align, bits, cb = struct.unpack_from("<HHIIHHH", blob, 20)
        self.assertEqual((tag, ch, rate, byte_rate, align, bits, cb), (1, 1, 22050, 22050, 1, 8, 0))

    def test_python_wave_reads_it(self):
        data = bytes([128, 200, 50, 128, 129])
        for layout in wav8.LAYOUTS:
            with tempfile.NamedTemporaryFile(suffix=".wav") as f:
                f.write(wav8.encode(data, layout))
                f.flush()
                w = wave.open(f.name)
                self.assertEqual((w.getnchannels(), w.getsampwidth(), w.getframerate()), (1, 1, 22050))
                self.assertEqual(w.readframes(100), data)

    def test_quantiser(self):
        self.assertEqual(wav8.to_bytes([0.0, 1.0, -1.0, 0.004, -0.004, 5.0, -5.0]),
                         bytes([128, 255, 1, 129, 127, 255, 1]))


class Reader(unittest.TestCase):
    def setUp(self):
        self.good = wav8.encode(b"\x80\x90\x70", "fmt18-fact")   # odd: padded

    def bad(self, blob, words):
        with self.assertRaises(wav8.FormatError) as cm:
            wav8.parse(blob)
        self.assertIn(words, str(cm.exception))

    def test_riff_size(self):
        b = bytearray(self.good)
        struct.pack_into("<I", b, 4, len(b) - 9)
        self.bad(bytes(b), "RIFF size")

    def test_missing_pad_byte(self):
        b = self.good[:-1]
        b = b[:4] + struct.pack("<I", len(b) - 8) + b[8:]
        self.bad(b, "pad byte")

    def test_fact_mismatch(self):
        b = bytearray(self.good)
        i = b.index(b"fact")
        struct.pack_into("<I", b, i + 8, 4)
        self.bad(bytes(b), "fact says")

    def test_wrong_rate_and_bits(self):
        for off, val, words in ((24, 44100, "rate"), (34, 16, "bits")):
            b = bytearray(self.good)
            if off == 24:
                struct.pack_into("<I", b, off, val)
            else:
                struct.pack_into("<H", b, off, val)
            self.bad(bytes(b), words)

    def test_chunk_order(self):
        fmt = struct.pack("<HHIIHH", 1, 1, 22050, 22050, 1, 8)
        body = (b"WAVE" + b"fact" + struct.pack("<I", 4) + struct.pack("<I", 2)
                + b"fmt " + struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", 2) + b"\x80\x80")
        self.bad(b"RIFF" + struct.pack("<I", len(body)) + body, "first chunk")

    def test_check_file_reports_layout_and_length(self):
        with tempfile.TemporaryDirectory() as d:
            p = os.path.join(d, "x.wav")
            wav8.write(p, wav8.to_bytes([0.0] + [0.4] * 2000 + [0.0]), "fmt16")
            self.assertEqual(wav8.check_file(p, "fmt16", 0.05, 0.2), [])
            self.assertTrue(any("layout" in m for m in wav8.check_file(p, "fmt18-fact", 0.05, 0.2)))
            self.assertTrue(any("expected 0.20" in m for m in wav8.check_file(p, "fmt16", 0.2, 0.3)))
            self.assertTrue(any("too quiet" in m for m in wav8.check_file(p, "fmt16", 0.05, 0.2, 64)))
            wav8.write(p, wav8.to_bytes([0.0, 1.0, 0.0]), "fmt16")
            self.assertTrue(any("clipped" in m for m in wav8.check_file(p, "fmt16", 0, 1)))
            wav8.write(p, wav8.to_bytes([0.3, 0.0]), "fmt16")
            self.assertTrue(any("silence" in m for m in wav8.check_file(p, "fmt16", 0, 1)))


if __name__ == "__main__":
    unittest.main()
