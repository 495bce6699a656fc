#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Does a speech recogniser hear each word recording as its own word?
#
# Runs pocketsphinx (Debian's pocketsphinx and pocketsphinx-en-us) with a
# grammar of just the 20 words over each word file; exit status 1 if any word
# comes back as another. The recogniser hears a copy framed by a quarter
# second of quiet with a faint noise floor (-70 dBFS) under it, as the game
# plays it: pocketsphinx misbehaves on exact digital silence, and a louder
# floor makes it hear the hiss as an "f". The shipped files are not touched.
#
# Usage: check_speech.py [SOUNDS_DIR]

import array, concurrent.futures, math, os, random, subprocess, sys, tempfile

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
import wav8  # noqa: E402
from make_sounds import WORDS  # noqa: E402

MODEL = "/usr/share/pocketsphinx/model/en-us"


def recogniser_copy(src, dst, seed):
    """A 16 kHz 16-bit copy of src, padded, over lowpassed white noise."""
    with open(src, "rb") as f:
        pad = [0.0] * (wav8.RATE // 4)
        x = pad + [(b - 128) / 128.0 for b in wav8.parse(f.read())["data"]] + pad
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


def main():
    sounds = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "../../src/content/media/sounds")
    words = {num: WORDS[num][0] for num in sorted(WORDS)}
    with tempfile.TemporaryDirectory(prefix="tovasel-speech-") as tmp:
        grammar = os.path.join(tmp, "words.gram")
        write_grammar(grammar, words.values())
        copy = lambda num: os.path.join(tmp, "%03d.wav" % num)  # noqa: E731
        for num in words:
            recogniser_copy(os.path.join(sounds, "%03d.wav" % num), copy(num), num)
        with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
            results = dict(zip(words, pool.map(lambda num: recognise(copy(num), grammar), words)))
    wrong = {num: h for num, h in results.items() if h != words[num]}
    for num, h in wrong.items():
        print('  %03d.wav: %s heard as "%s"' % (num, words[num], h))
    print("speech-grammar: %d/%d" % (len(words) - len(wrong), len(words)))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
