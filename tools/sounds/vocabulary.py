#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A vocabulary of the recogniser's most frequent words, for tune_word.py's
stricter measure of how clearly a word is spoken."""

import math
import re
import struct

MODEL = "/usr/share/pocketsphinx/model/en-us"
DICT = MODEL + "/cmudict-en-us.dict"
LM_BIN = MODEL + "/en-us.lm.bin"
VOCAB_SIZE = 2000


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
