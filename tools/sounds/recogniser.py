# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Pocketsphinx (Debian's pocketsphinx and pocketsphinx-en-us) with a grammar
of the game's words, for the word recordings: used to tune a word
(tune_word.py) and to check them all (check_speech.py).

The recogniser hears a copy framed by a quarter second of quiet with a faint
noise floor (-70 dBFS) under it, as the game plays it: pocketsphinx
misbehaves on exact digital silence, and a louder floor makes it hear the
hiss as an "f". The recording itself is not touched.
"""

import array
import math
import os
import random
import subprocess

import wav8

MODEL = "/usr/share/pocketsphinx/model/en-us"


def recogniser_copy(src, dst, seed):
    """A 16 kHz 16-bit copy of src, padded, over lowpassed white noise."""
    with open(src, "rb") as f:
        data = wav8.parse(f.read())["data"]
    pad = [0.0] * (wav8.RATE // 4)
    x = pad + [(b - 128) / 128.0 for b in data] + pad
    rnd, a, prev, noise = random.Random(seed), math.exp(-2 * math.pi * 1000.0 / wav8.RATE), 0.0, []
    for _ in x:
        prev = (1 - a) * rnd.gauss(0.0, 1.0) + a * prev
        noise.append(prev)
    g = 10 ** (-70 / 20) / math.sqrt(sum(v * v for v in noise) / len(noise))
    pcm = array.array("h", (max(-32768, min(32767, round((v + g * n) * 32767))) for v, n in zip(x, noise)))
    subprocess.run(["sox", "-D", "-t", "raw", "-e", "signed-integer", "-b", "16", "-c", "1", "-L",
                    "-r", str(wav8.RATE), "-", "-r", "16000", dst], input=pcm.tobytes(), check=True)


def write_grammar(path, words):
    with open(path, "w") as f:
        f.write("#JSGF V1.0;\ngrammar words;\npublic <word> = %s;\n" % " | ".join(words))


def recognise(wav, grammar):
    out = subprocess.run(["pocketsphinx_continuous", "-infile", wav, "-hmm", MODEL + "/en-us",
                          "-dict", MODEL + "/cmudict-en-us.dict", "-jsgf", grammar, "-logfn", os.devnull],
                         check=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout
    return " ".join(out.split())
