#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Does a speech recogniser hear each word recording as its own word?

Runs the recogniser (recogniser.py) with a grammar of just the 20 words over
each word file; exit status 1 if any word comes back as another.

Usage: check_speech.py [SOUNDS_DIR]
"""

import concurrent.futures
import os
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
from make_sounds import WORDS  # noqa: E402
from recogniser import recognise, recogniser_copy, write_grammar  # noqa: E402


def main():
    sounds = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "../../src/content/media/sounds")
    words = {num: WORDS[num][0] for num in sorted(WORDS)}
    with tempfile.TemporaryDirectory(prefix="tovasel-speech-") as tmp:
        grammar = os.path.join(tmp, "words.gram")
        write_grammar(grammar, words.values())
        copies = {num: os.path.join(tmp, "%03d.wav" % num) for num in words}
        for num, copy in copies.items():
            recogniser_copy(os.path.join(sounds, "%03d.wav" % num), copy, num)
        with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
            results = dict(zip(words, pool.map(lambda num: recognise(copies[num], grammar), words)))
    wrong = {num: h for num, h in results.items() if h != words[num]}
    for num, h in wrong.items():
        print('  %03d.wav: %s heard as "%s"' % (num, words[num], h))
    print("speech-grammar: %d/%d" % (len(words) - len(wrong), len(words)))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
