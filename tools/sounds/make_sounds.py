#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Make every sound the game plays, from nothing but Debian's tools.

Words (101..110, 201..210) are spoken by festival's us-slt-hts voice,
slowed a little, then trimmed, loudness-matched and padded here.  The
effects (121..124) are synthesised in this file.  All of them are written
as 8-bit unsigned 22050 Hz mono WAV files by wav8.py and checked after
writing.

Usage: make_sounds.py OUTDIR       make all sounds into OUTDIR
       make_sounds.py --check DIR  only check the sounds already in DIR
"""

import array
import math
import os
import random
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wav8  # noqa: E402

RATE = wav8.RATE

VOICE = "voice_cmu_us_slt_arctic_hts"
SPEECH_RATE = 0.85          # HTS engine speed (1.0 = the voice's own pace)

# Sound number -> (word, text given to the synthesiser, per-word options:
# "rate" for another speaking rate, "phones" for another pronunciation).
WORDS = {
    101: ("brow", "brow", {}),
    102: ("chin", "chin", {}),
    103: ("eye", "eye", {}),
    104: ("face", "face", {}),
    105: ("hair", "hair", {}),
    106: ("hand", "hand", {}),
    107: ("head", "head", {}),
    108: ("neck", "neck", {}),
    109: ("shoulder", "shoulder", {}),
    110: ("tooth", "tooth", {}),
    201: ("arm", "arm", {}),
    202: ("back", "back", {}),
    # festival's lexicon says "ih r", which this voice turns into "air";
    # "iy r", a shade quicker, is heard as "ear" at any level
    203: ("ear", "ear", {"phones": "iy r", "rate": 0.9}),
    204: ("finger", "finger", {}),
    205: ("foot", "foot", {}),
    206: ("leg", "leg", {}),
    207: ("mouth", "mouth", {}),
    208: ("nose", "nose", {}),
    209: ("toe", "toe", {}),
    210: ("tongue", "tongue", {}),
}

# A lift of the upper frequencies and a gentle compressor that raises soft
# sounds by up to 8 dB keep the consonants ("ch", "f", "th") well above the
# 8-bit noise floor; without them "chin" sounds like "tin" once quantised.
EQ = ["treble", "6", "2000",
      "compand", "0.003,0.08", "-70,-70,-50,-42,-30,-26,-10,-10,0,-6", "-2"]

# Lengths of a finished word file, in seconds.
WORD_MIN_S = 0.65           # shorter words get trailing silence up to this
WORD_MAX_S = 0.86           # longer words are sped up slightly to fit
TRIM_DB = -50.0             # below this (relative to the peak) counts as silence
LEAD_MARGIN_S = 0.015       # kept before the first sound above the threshold
TAIL_MARGIN_S = 0.030       # kept after the last one
EDGE_FADE_S = 0.005
LOUDNESS_DBFS = -15.0       # wanted RMS of the spoken part
PEAK_LIMIT = 0.9            # no sample above this after gain

EFFECTS_LAYOUT = {121: "fmt16-fact", 124: "fmt16"}


def run(cmd, **kw):
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, **kw)


# ----------------------------------------------------------------- speech

def speak(text, tmp, speech_rate=SPEECH_RATE, tempo=1.0, phones=None):
    """Synthesise `text`; return float samples at RATE.

    `phones`, if given, is the pronunciation to use for a one-word `text`
    (festival phone names, e.g. "iy r"), replacing the lexicon's."""
    txt = os.path.join(tmp, "say.txt")
    raw_wav = os.path.join(tmp, "say.wav")
    pcm = os.path.join(tmp, "say.s16")
    with open(txt, "w") as f:
        f.write(text + "\n")
    lex = []
    if phones:
        lex = ["-eval", "(lex.add.entry '(\"%s\" nil (((%s) 1))))" % (text.lower(), phones)]
    run(["text2wave", "-eval", "(%s)" % VOICE] + lex + [
         "-eval", '(set! hts_engine_params (append hts_engine_params (list (list "-r" %s))))'
         % speech_rate,
         txt, "-o", raw_wav])
    effects = ["highpass", "60"] + EQ
    if abs(tempo - 1.0) > 1e-6:
        effects += ["tempo", "-s", "%.4f" % tempo]
    # -D: no dither, the signal stays exactly as synthesised until we quantise.
    run(["sox", "-D", raw_wav, "-t", "raw", "-e", "signed-integer", "-b", "16",
         "-c", "1", "-r", str(RATE), pcm] + effects)
    a = array.array("h")
    with open(pcm, "rb") as f:
        a.frombytes(f.read())
    if sys.byteorder != "little":
        a.byteswap()
    return [x / 32768.0 for x in a]


def trim(x):
    """Cut the silence around a word, keeping soft onsets and endings whole."""
    peak = max(abs(v) for v in x)
    thr = peak * 10 ** (TRIM_DB / 20)
    loud = [i for i, v in enumerate(x) if abs(v) > thr]
    first, last = loud[0], loud[-1]
    start = max(0, first - int(LEAD_MARGIN_S * RATE))
    end = min(len(x), last + 1 + int(TAIL_MARGIN_S * RATE))
    y = x[start:end]
    fade(y, EDGE_FADE_S, EDGE_FADE_S)
    return y


def fade(y, fin_s, fout_s):
    """Raised-cosine fade in and out, in place."""
    n_in, n_out = int(fin_s * RATE), int(fout_s * RATE)
    for i in range(min(n_in, len(y))):
        y[i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_in)
    for i in range(min(n_out, len(y))):
        y[len(y) - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_out)
    if y:
        y[0] = 0.0
        y[-1] = 0.0


def active_rms(x):
    """RMS over the 20 ms frames within 30 dB of the loudest frame.

    This measures the spoken part only, so a word's loudness does not depend
    on how much silence or soft consonant surrounds it.
    """
    n = int(0.02 * RATE)
    frames = [x[i:i + n] for i in range(0, len(x) - n + 1, n // 2)]
    energies = [sum(v * v for v in f) / n for f in frames]
    top = max(energies)
    sel = [e for e in energies if e >= top * 10 ** (-30 / 10)]
    return math.sqrt(sum(sel) / len(sel))


def limit(x, ceiling, look_s=0.003):
    """A look-ahead peak limiter: where a sample would pass `ceiling`, the
    gain dips smoothly (over 2 x look_s) instead of clipping."""
    n = len(x)
    need = [min(1.0, ceiling / abs(v)) if v else 1.0 for v in x]
    if min(need) >= 1.0:
        return list(x)
    w = max(1, int(look_s * RATE))
    # the lowest gain needed anywhere within w samples ...
    low = [1.0] * n
    for i, g in enumerate(need):
        if g < 1.0:
            for j in range(max(0, i - w), min(n, i + w + 1)):
                if g < low[j]:
                    low[j] = g
    # ... averaged over the same span, so it never rises above what is needed
    # at a peak (the peak's own minimum lies inside every window around it)
    acc, gain = 0.0, [0.0] * n
    prefix = [0.0]
    for v in low:
        acc += v
        prefix.append(acc)
    for i in range(n):
        lo, hi = max(0, i - w), min(n, i + w + 1)
        gain[i] = (prefix[hi] - prefix[lo]) / (hi - lo)
    y = [v * g for v, g in zip(x, gain)]
    m = max(abs(v) for v in y)
    return [v * ceiling / m for v in y] if m > ceiling else y


def make_words(tmp):
    """Return {number: float samples} for the 20 word recordings."""
    trimmed = {}
    for num, (word, text, opts) in sorted(WORDS.items()):
        rate = opts.get("rate", SPEECH_RATE)
        phones = opts.get("phones")
        y = trim(speak(text, tmp, rate, phones=phones))
        total = len(y) / RATE
        if total > WORD_MAX_S:
            # A touch faster, just enough to fit, keeps the word natural.
            tempo = total / (WORD_MAX_S - 0.02)
            y = trim(speak(text, tmp, rate, tempo, phones))
        trimmed[num] = y

    # One loudness for all words; the few peaks that would pass the limit
    # are brought down by a smooth limiter rather than making every word quieter.
    target = 10 ** (LOUDNESS_DBFS / 20)
    out = {}
    for num, y in trimmed.items():
        g = target / active_rms(y)
        y = limit([v * g for v in y], PEAK_LIMIT)
        pad = max(0, int(WORD_MIN_S * RATE) - len(y))
        out[num] = y + [0.0] * pad
    return out, LOUDNESS_DBFS


# ---------------------------------------------------------------- effects

def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def add(buf, sig, at_s, gain=1.0):
    """Mix `sig` into `buf` starting at `at_s` seconds (grows buf if needed)."""
    start = int(round(at_s * RATE))
    if start + len(sig) > len(buf):
        buf.extend([0.0] * (start + len(sig) - len(buf)))
    for i, v in enumerate(sig):
        buf[start + i] += v * gain


def note(freq, dur, amp=1.0, partials=((1, 1.0),), attack=0.005, decay=None,
         release=0.02, glide=0.0, vibrato=0.0):
    """One tone: additive partials, an attack, an optional exponential decay
    (time constant in seconds) and a release to exact zero at the end.
    `glide` bends the pitch linearly by that ratio over the note."""
    n = int(round(dur * RATE))
    out = [0.0] * n
    norm = sum(a for _, a in partials)
    phase = 0.0
    n_att, n_rel = max(1, int(attack * RATE)), max(1, int(release * RATE))
    for i in range(n):
        t = i / RATE
        f = freq * (1.0 + glide * i / n)
        if vibrato:
            f *= 1.0 + 0.004 * math.sin(2 * math.pi * vibrato * t)
        phase += 2 * math.pi * f / RATE
        s = 0.0
        for k, a in partials:
            s += a * math.sin(k * phase)
        env = 1.0
        if i < n_att:
            env *= 0.5 - 0.5 * math.cos(math.pi * i / n_att)
        if decay:
            env *= math.exp(-t / decay)
        if i >= n - n_rel:
            env *= 0.5 - 0.5 * math.cos(math.pi * (n - 1 - i) / n_rel)
        out[i] = amp * env * s / norm
    return out


def lowpass(x, cutoff):
    a = math.exp(-2 * math.pi * cutoff / RATE)
    y, prev = [0.0] * len(x), 0.0
    for i, v in enumerate(x):
        prev = (1 - a) * v + a * prev
        y[i] = prev
    return y


def highpass(x, cutoff):
    lp = lowpass(x, cutoff)
    return [v - l for v, l in zip(x, lp)]


def fit(buf, seconds):
    n = int(round(seconds * RATE))
    return (buf + [0.0] * n)[:n]


def normalise_peak(buf, peak):
    m = max(abs(v) for v in buf)
    return [v * peak / m for v in buf]


SOFT = ((1, 1.0), (3, 0.12), (5, 0.03))          # rounded square, mellow
BELL = ((1, 1.0), (2, 0.35), (3, 0.12), (4, 0.05))
PURE = ((1, 1.0), (2, 0.1))


def hz(midi):
    return 440.0 * 2 ** ((midi - 69) / 12)


def make_miss():
    """Two soft, short low bursts, the second a little lower: "uh-uh"."""
    buf = silence(0.27)
    add(buf, note(hz(57), 0.105, 0.8, SOFT, attack=0.008, release=0.04, glide=-0.03), 0.0)
    add(buf, note(hz(53), 0.115, 0.8, SOFT, attack=0.008, release=0.05, glide=-0.04), 0.145)
    return normalise_peak(fit(buf, 0.27), 0.55)


def make_hit():
    """A quick bright major chord rolled upwards, ringing like a bell."""
    buf = silence(0.36)
    for j, m in enumerate((84, 88, 91, 96)):            # C6 E6 G6 C7
        at = 0.02 * j
        add(buf, note(hz(m), 0.36 - at, 0.5 if m < 96 else 0.3, BELL,
                      attack=0.004, decay=0.13, release=0.05), at)
    return normalise_peak(fit(buf, 0.36), 0.7)


def make_no_place():
    """A short, soft, low falling tone."""
    buf = note(hz(52), 0.45, 1.0, ((1, 1.0), (3, 0.08)), attack=0.03,
               decay=0.3, release=0.12, glide=-0.15)
    return normalise_peak(fit(buf, 0.45), 0.45)


def make_cheer(tmp, words_target_dbfs):
    """About five seconds of "well done!": a rising fanfare, the voice
    saying "Well done!" over a soft chord, then a run up to a last chord
    that shimmers over soft filtered noise and fades away."""
    rnd = random.Random(1234)
    total = 5.25
    music = silence(total)

    # 1. Rising arpeggio C5 E5 G5 C6 E6, each note ringing on.
    arp = (72, 76, 79, 84, 88)
    for j, m in enumerate(arp):
        add(music, note(hz(m), 1.3 - 0.13 * j, 0.42, BELL, attack=0.006,
                        decay=0.35, release=0.1), 0.13 * j)
    # and a held C major chord under the top note
    for m in (60, 64, 67, 72):
        add(music, note(hz(m), 1.1, 0.16, PURE, attack=0.05, decay=0.6,
                        release=0.3), 0.52)

    # 2. A soft pad under the voice (the voice is added after mixing).
    for m in (60, 64, 67):
        add(music, note(hz(m), 1.1, 0.07, PURE, attack=0.25, release=0.4,
                        vibrato=5.0), 1.3)

    # 3. A quick run G5 A5 B5 C6 D6 E6 F6 G6 up to the final chord.
    run_start = 2.2
    for j, m in enumerate((79, 81, 83, 84, 86, 88, 89, 91)):
        add(music, note(hz(m), 0.22, 0.3, BELL, attack=0.004, decay=0.08,
                        release=0.05), run_start + 0.065 * j)
    chord_at = run_start + 0.065 * 8 + 0.02
    for m, a in ((60, 0.2), (64, 0.18), (67, 0.18), (72, 0.22), (76, 0.16), (84, 0.12)):
        add(music, note(hz(m), total - chord_at, a, BELL, attack=0.01,
                        decay=0.9, release=0.6, vibrato=4.5), chord_at)
    # sparkles: high pentatonic notes scattered over the last chord
    pent = (84, 86, 88, 91, 93, 96, 98, 100)
    t = chord_at + 0.15
    while t < total - 0.7:
        add(music, note(hz(rnd.choice(pent)), 0.25, 0.15, PURE, attack=0.003,
                        decay=0.06, release=0.05), t)
        t += rnd.uniform(0.09, 0.2)

    # 4. Soft filtered noise swelling under the last chord, like distant clapping.
    n0 = int(chord_at * RATE) - int(0.1 * RATE)
    n = len(music) - n0
    noise = [rnd.uniform(-1, 1) for _ in range(n)]
    noise = highpass(lowpass(lowpass(noise, 3000), 3000), 500)
    for i in range(n):
        t = i / RATE
        env = min(1.0, t / 0.3) * math.exp(-t / 0.9)
        # little random claps in the hiss
        noise[i] *= env * 0.5
    clap_env = [0.0] * n
    t = 0.05
    while t < n / RATE - 0.3:
        k = int(t * RATE)
        for d in range(int(0.03 * RATE)):
            if k + d < n:
                clap_env[k + d] += math.exp(-d / (0.006 * RATE))
        t += rnd.uniform(0.03, 0.09)
    for i in range(n):
        t = i / RATE
        noise[i] *= 0.4 + 0.6 * clap_env[i] * math.exp(-t / 1.0)
    add(music, noise, n0 / RATE, 0.25)

    music = fit(music, total)

    # The words, at the level of the word recordings.
    voice = trim(speak("Well done!", tmp, 0.9))
    g = 10 ** (words_target_dbfs / 20) / active_rms(voice)
    voice = [v * g for v in voice]
    mix = list(music)
    add(mix, voice, 1.3)
    mix = fit(mix, total)
    fade(mix, 0.003, 0.4)
    m = max(abs(v) for v in mix)
    if m > PEAK_LIMIT:
        mix = [v * PEAK_LIMIT / m for v in mix]
    return mix


# ------------------------------------------------------------------ main

def main(argv):
    if len(argv) == 3 and argv[1] == "--check":
        problems = check_all(argv[2])
        for p in problems:
            print("FORMAT: " + p, file=sys.stderr)
        return 1 if problems else 0
    if len(argv) != 2:
        sys.exit("usage: make_sounds.py OUTDIR | make_sounds.py --check DIR")
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    tmp = tempfile.mkdtemp(prefix="tovasel-sounds-")
    try:
        words, target_db = make_words(tmp)
        sounds = dict(words)
        sounds[121] = make_miss()
        sounds[122] = make_hit()
        sounds[123] = make_cheer(tmp, target_db)
        sounds[124] = make_no_place()
    finally:
        shutil.rmtree(tmp, ignore_errors=True)

    for num, samples in sorted(sounds.items()):
        layout = EFFECTS_LAYOUT.get(num, "fmt18-fact")
        wav8.write(os.path.join(outdir, "%03d.wav" % num), wav8.to_bytes(samples), layout)

    problems = check_all(outdir)
    for num in sorted(WORDS):
        print("%03d %-8s %.3f s" % (num, WORDS[num][0], len(sounds[num]) / RATE))
    print("word loudness: %.1f dBFS RMS (spoken part)" % target_db)
    if problems:
        for p in problems:
            print("FORMAT: " + p, file=sys.stderr)
        return 1
    print("all %d sounds written and checked in %s" % (len(sounds), outdir))
    return 0


# number -> (layout, shortest and longest length in seconds, least peak
# distance from 128: a word recording must swing at least half way).
EXPECTED = dict(
    [(n, ("fmt18-fact", 0.60, 0.90, 64)) for n in WORDS]
    + [(121, ("fmt16-fact", 0.25, 0.29, 30)), (122, ("fmt18-fact", 0.34, 0.38, 30)),
       (123, ("fmt18-fact", 5.20, 5.30, 30)), (124, ("fmt16", 0.43, 0.47, 30))])


def check_all(outdir):
    problems = []
    for num, (layout, lo, hi, peak) in sorted(EXPECTED.items()):
        problems += wav8.check_file(os.path.join(outdir, "%03d.wav" % num), layout, lo, hi, peak)
    extra = sorted(f for f in os.listdir(outdir)
                   if f.lower().endswith(".wav") and f not in {"%03d.wav" % n for n in EXPECTED})
    problems += ["%s: not a sound the game knows" % os.path.join(outdir, e) for e in extra]
    return problems


if __name__ == "__main__":
    sys.exit(main(sys.argv))
