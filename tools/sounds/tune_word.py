#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Try speaking rates and pronunciations for one word and see how well the
recogniser hears each, the way check_speech.py does (recogniser.py).

Usage: tune_word.py WORD [--rates 0.8,0.85,0.9] [--phones "iy r|ih r"] [--tries 8]

For each setting it prints the fraction of tries recognised as WORD with the
20-word grammar and with the 2,000-word vocabulary, and the raw length.
Put the setting you choose into WORDS in make_sounds.py.
"""

import argparse
import concurrent.futures
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import recogniser as cs  # noqa: E402
import vocabulary  # noqa: E402
import make_sounds as ms  # noqa: E402
import wav8  # noqa: E402


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("word")
    ap.add_argument("--rates", default="0.8,0.85,0.9,0.95,1.0")
    ap.add_argument("--phones", default="", help='alternatives separated by "|"; empty = lexicon')
    ap.add_argument("--tries", type=int, default=6)
    a = ap.parse_args()
    targets = [ms.WORDS[n][0] for n in sorted(ms.WORDS)]
    if a.word not in targets:
        sys.exit("not one of the game's words: " + a.word)
    tmp = tempfile.mkdtemp(prefix="tovasel-tune-")
    try:
        small, big = os.path.join(tmp, "s.gram"), os.path.join(tmp, "b.gram")
        cs.write_grammar(small, targets)
        cs.write_grammar(big, vocabulary.common_vocabulary(vocabulary.VOCAB_SIZE, targets)[0])
        target = 10 ** (ms.LOUDNESS_DBFS / 20)
        pool = concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2)
        for phones in a.phones.split("|"):
            for rate in [float(r) for r in a.rates.split(",")]:
                y = ms.trim(ms.speak(a.word, tmp, rate, phones=phones or None))
                g = target / ms.active_rms(y)
                y = [v * g for v in y]
                src = os.path.join(tmp, "w.wav")
                wav8.write(src, wav8.to_bytes(y), "fmt18-fact")
                copies = []
                for t in range(a.tries):
                    dst = os.path.join(tmp, "c%d.wav" % t)
                    cs.recogniser_copy(src, dst, 7000 + t)
                    copies.append(dst)
                hs = list(pool.map(lambda c: cs.recognise(c, small), copies))
                hb = list(pool.map(lambda c: cs.recognise(c, big), copies))
                print("%-8s phones=%-10s rate=%.2f  %.2f s  grammar %d/%d  vocabulary %d/%d  (%s)" % (
                    a.word, phones or "-", rate, len(y) / ms.RATE,
                    hs.count(a.word), a.tries, hb.count(a.word), a.tries,
                    ", ".join(sorted(set(h for h in hs + hb if h != a.word)))), flush=True)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    main()
