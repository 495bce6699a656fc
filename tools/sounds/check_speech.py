#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Does a speech recogniser hear each word recording as its own word?

Runs pocketsphinx (Debian's pocketsphinx and pocketsphinx-en-us) over the
20 word files twice:

  1. with a JSGF grammar of just the 20 words: every word must come back as
     itself, otherwise the exit status is 1;
  2. with a vocabulary of the 2,000 most frequent words of the recogniser's
     own language model (always including the 20): a stricter measure of how
     clear the recordings are, reported only.

The recogniser is given a copy of each file framed by a quarter second of
quiet and with a faint noise floor (-70 dBFS) under it: pocketsphinx
misbehaves on stretches of exact digital silence.  A louder floor
(-50 dBFS) is worse: the recogniser starts hearing the hiss as an "f"
before every word.  The shipped files are not touched.

Usage: check_speech.py SOUNDS_DIR
"""

import array
import concurrent.futures
import math
import os
import random
import re
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wav8  # noqa: E402
from make_sounds import WORDS  # noqa: E402

MODEL = "/usr/share/pocketsphinx/model/en-us"
HMM = os.path.join(MODEL, "en-us")
DICT = os.path.join(MODEL, "cmudict-en-us.dict")
LM_BIN = os.path.join(MODEL, "en-us.lm.bin")
VOCAB_SIZE = 2000
NOISE_DBFS = -70.0
PAD_S = 0.25


def lm_unigrams(path):
    """(word, log10 probability) for every unigram of a sphinx trie LM.

    The file holds: the text "Trie Language Model", the order (one byte),
    one uint32 count per order, the quantiser (an int32 type, then its
    tables), the unigram array (count+1 records of float prob, float backoff,
    uint32 next), the packed higher orders, and finally an int32 length
    followed by the NUL-terminated words in unigram order.  Probabilities
    are natural logs in base 1.0001.
    """
    with open(path, "rb") as f:
        d = f.read()
    hdr = b"Trie Language Model"
    if not d.startswith(hdr):
        raise ValueError("%s: not a trie language model" % path)
    p = len(hdr)
    order = d[p]
    p += 1
    counts = struct.unpack_from("<%dI" % order, d, p)
    p += 4 * order
    qtype = struct.unpack_from("<i", d, p)[0]
    p += 4
    if qtype == 1:      # 16-bit quantiser: 2^16 floats per table
        # prob and backoff tables for each middle order, prob for the last
        p += (2 * (order - 2) + 1) * 65536 * 4 if order > 1 else 0
    elif qtype != 0:
        raise ValueError("%s: unknown quantiser %d" % (path, qtype))
    n = counts[0]
    # The words: walk back from the end over n NUL-terminated strings.
    pos = len(d) - 1
    if d[pos] != 0:
        raise ValueError("%s: word list does not end with NUL" % path)
    for _ in range(n):
        pos = d.rfind(b"\0", 0, pos)
    start = pos + 1
    if struct.unpack_from("<i", d, start - 4)[0] != len(d) - start:
        raise ValueError("%s: word list length does not match" % path)
    words = d[start:].split(b"\0")[:n]
    to_log10 = math.log(1.0001) / math.log(10)
    probs = [struct.unpack_from("<f", d, p + 12 * i)[0] * to_log10 for i in range(n)]
    if not all(-100.0 <= pr <= 0.0 for pr in probs):
        raise ValueError("%s: unigram probabilities out of range; layout not understood" % path)
    return [(w.decode("latin-1"), pr) for w, pr in zip(words, probs)]


def pronunciations(path):
    """{word: set of pronunciations} from a sphinx dictionary."""
    prons = {}
    with open(path, encoding="latin-1") as f:
        for line in f:
            parts = line.split()
            if not parts:
                continue
            w = re.sub(r"\(\d+\)$", "", parts[0])
            prons.setdefault(w, set()).add(" ".join(parts[1:]))
    return prons


def common_vocabulary(size, must_have):
    """The `size` most probable plain words of the LM that the dictionary
    knows, with the words of `must_have` included (displacing the least
    probable ones if they are not among them already).  Exact homophones of
    the `must_have` words ("knows" for "nose") are left out: no recogniser
    can tell them apart by sound."""
    prons = pronunciations(DICT)
    taken = set().union(*(prons[w] for w in must_have))
    homophones = [w for w in prons if w not in must_have and prons[w] & taken]
    ranked = [w for w, _ in sorted(lm_unigrams(LM_BIN), key=lambda wp: -wp[1])
              if re.fullmatch(r"[a-z]+", w) and w in prons and w not in homophones]
    vocab = ranked[:size]
    missing = [w for w in must_have if w not in vocab]
    vocab = [w for w in vocab if w not in must_have][:size - len(must_have)] + list(must_have)
    return vocab, missing


def write_grammar(path, words):
    with open(path, "w") as f:
        f.write("#JSGF V1.0;\ngrammar words;\npublic <word> = %s;\n" % " | ".join(words))


def recogniser_copy(src, dst, seed):
    """A 16 kHz 16-bit copy of `src` as the recogniser should hear it.

    The word is framed by PAD_S of quiet on either side, as it is when the
    game plays it, and a faint noise floor (NOISE_DBFS RMS, white noise
    through a 1 kHz one-pole lowpass) runs under everything.
    """
    with open(src, "rb") as f:
        data = wav8.parse(f.read())["data"]
    pad = [0.0] * int(PAD_S * wav8.RATE)
    x = pad + [(b - 128) / 128.0 for b in data] + pad
    rnd = random.Random(seed)
    a = math.exp(-2 * math.pi * 1000.0 / wav8.RATE)
    noise, prev = [], 0.0
    for _ in x:
        prev = (1 - a) * rnd.gauss(0.0, 1.0) + a * prev
        noise.append(prev)
    g = 10 ** (NOISE_DBFS / 20) / math.sqrt(sum(v * v for v in noise) / len(noise))
    pcm = array.array("h", (max(-32768, min(32767, int(round((v + g * n) * 32767))))
                            for v, n in zip(x, noise)))
    if sys.byteorder != "little":
        pcm.byteswap()
    raw = dst + ".s16"
    with open(raw, "wb") as f:
        f.write(pcm.tobytes())
    subprocess.run(["sox", "-D", "-t", "raw", "-e", "signed-integer", "-b", "16", "-c", "1",
                    "-r", str(wav8.RATE), raw, "-r", "16000", dst],
                   check=True, stdout=subprocess.DEVNULL)
    os.remove(raw)


def recognise(wav, grammar):
    r = subprocess.run(["pocketsphinx_continuous", "-infile", wav, "-hmm", HMM, "-dict", DICT,
                        "-jsgf", grammar, "-logfn", os.devnull],
                       check=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return " ".join(r.stdout.split())


def score(label, copies, grammar, show_failures, pool):
    """Recognise every copy; a word counts only if all its copies are heard
    as that word.  Prints the summary line and returns the number of words."""
    heard = list(pool.map(lambda c: recognise(c[2], grammar), copies))
    words = []
    per_word = {}
    for (word, trial, _), h in zip(copies, heard):
        if word not in per_word:
            words.append(word)
            per_word[word] = []
        per_word[word].append(h)
    good = 0
    for word in words:
        wrong = [h for h in per_word[word] if h != word]
        if not wrong:
            good += 1
        elif show_failures:
            print("  %s: %s heard as %s%s" % (
                label, word, ", ".join('"%s"' % h for h in wrong),
                "" if len(per_word[word]) == 1 else
                " (%d of %d tries)" % (len(wrong), len(per_word[word]))))
    print("%s: %d/%d" % (label, good, len(words)))
    return good


def main(argv):
    if len(argv) != 2:
        sys.exit("usage: check_speech.py SOUNDS_DIR")
    sounds = argv[1]
    verbose = os.environ.get("SPEECH_VERBOSE") == "1"
    # More than one try gives each word several different noise floors.
    trials = int(os.environ.get("SPEECH_TRIALS", "1"))
    for tool in ("pocketsphinx_continuous", "sox"):
        if not shutil.which(tool):
            sys.exit("check_speech: %s is not installed" % tool)
    for path in (HMM, DICT, LM_BIN):
        if not os.path.exists(path):
            sys.exit("check_speech: %s missing (package pocketsphinx-en-us)" % path)

    targets = [WORDS[n][0] for n in sorted(WORDS)]
    tmp = tempfile.mkdtemp(prefix="tovasel-speech-")
    try:
        copies = []
        for num in sorted(WORDS):
            for trial in range(trials):
                dst = os.path.join(tmp, "%03d-%d.wav" % (num, trial))
                recogniser_copy(os.path.join(sounds, "%03d.wav" % num), dst, num * 1000 + trial)
                copies.append((WORDS[num][0], trial, dst))

        small = os.path.join(tmp, "words.gram")
        write_grammar(small, targets)
        big = os.path.join(tmp, "common.gram")
        vocab, added = common_vocabulary(VOCAB_SIZE, targets)
        write_grammar(big, vocab)

        with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
            good = score("speech-grammar", copies, small, True, pool)
            score("speech-vocabulary-%d" % VOCAB_SIZE, copies, big, verbose, pool)
        if verbose:
            print("  (vocabulary of %d words; not among its most frequent, so added: %s)"
                  % (len(vocab), " ".join(added)))
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    return 0 if good == len(targets) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
