#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Draws the mascot frames: one template per animal, the speaking frame differs only in the mouth group.
import os, sys
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "svg")
NAVY = "#000080"

def svg(w, h, body, defs=""):
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            + (f'<defs>\n{defs}</defs>\n' if defs else '')
            + f'<rect x="0" y="0" width="{w}" height="{h}" fill="{NAVY}"/>\n'
            + body + '</svg>\n')

def radial(id, stops, cx="40%", cy="35%", r="70%"):
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return f'<radialGradient id="{id}" cx="{cx}" cy="{cy}" r="{r}">{s}</radialGradient>\n'

def linear(id, stops, x1="0", y1="0", x2="0", y2="1"):
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return f'<linearGradient id="{id}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">{s}</linearGradient>\n'

def eye(x, y, rx=5.5, ry=7, look=0.0):
    return (f'<ellipse cx="{x}" cy="{y}" rx="{rx}" ry="{ry}" fill="#1b1430"/>\n'
            f'<circle cx="{x - rx*0.3 + look}" cy="{y - ry*0.35}" r="{rx*0.42:.2f}" fill="#ffffff"/>\n'
            f'<circle cx="{x + rx*0.35 + look}" cy="{y + ry*0.35}" r="{rx*0.18:.2f}" fill="#ffffff" opacity="0.8"/>\n')

# ---------------------------------------------------------------- chick
def chick(open_):
    d = radial("cb", [(0, "#fff6a8"), (0.55, "#ffd83a"), (1, "#f2b400")], "42%", "35%", "70%")
    d += radial("ch", [(0, "#fff8b8"), (0.6, "#ffdc40"), (1, "#f4b800")], "40%", "32%", "72%")
    d += linear("bk", [(0, "#ffb13b"), (1, "#f07a10")])
    ol = "#b87800"
    b = ""
    # feet
    b += f'<g fill="#f08a1c" stroke="#b0500a" stroke-width="1.6" stroke-linejoin="round">\n'
    for fx in (44, 76):
        b += (f'<path d="M{fx-2},140 L{fx-2},148 L{fx-10},154 Q{fx-11},157 {fx-7},156 L{fx-1},152 '
              f'L{fx},157 Q{fx+2},159 {fx+3},156 L{fx+3},152 L{fx+9},156 Q{fx+13},156 {fx+11},153 L{fx+3},148 L{fx+3},140 Z"/>\n')
    b += '</g>\n'
    # silhouette outline (drawn fat, then covered by the fills)
    b += f'<g fill="{ol}" stroke="{ol}" stroke-width="4" stroke-linejoin="round">\n'
    b += '<ellipse cx="60" cy="112" rx="41" ry="34"/>\n<circle cx="60" cy="60" r="34"/>\n'
    b += '<path d="M56,28 Q50,14 42,16 Q50,20 52,30 Z"/><path d="M60,27 Q62,10 70,10 Q64,16 65,28 Z"/>\n'
    b += '</g>\n'
    # tuft
    b += '<path d="M56,28 Q50,14 42,16 Q50,20 52,30 Z" fill="#ffd83a"/><path d="M60,27 Q62,10 70,10 Q64,16 65,28 Z" fill="#ffe35a"/>\n'
    # body and head
    b += '<ellipse cx="60" cy="112" rx="41" ry="34" fill="url(#cb)"/>\n'
    b += '<circle cx="60" cy="60" r="34" fill="url(#ch)"/>\n'
    # belly highlight
    b += '<ellipse cx="60" cy="118" rx="22" ry="20" fill="#fff3a0" opacity="0.55"/>\n'
    # wings
    b += (f'<path d="M22,104 Q10,114 16,128 Q26,126 32,116 Q30,106 22,104 Z" fill="#f6c21e" stroke="{ol}" stroke-width="2" stroke-linejoin="round"/>\n'
          f'<path d="M98,104 Q110,114 104,128 Q94,126 88,116 Q90,106 98,104 Z" fill="#f6c21e" stroke="{ol}" stroke-width="2" stroke-linejoin="round"/>\n')
    # head shine
    b += '<ellipse cx="46" cy="40" rx="10" ry="6" fill="#ffffff" opacity="0.35" transform="rotate(-25 46 40)"/>\n'
    # eyes and cheeks
    b += eye(47, 54) + eye(73, 54)
    b += '<ellipse cx="37" cy="70" rx="6" ry="4" fill="#ff8a8a" opacity="0.75"/><ellipse cx="83" cy="70" rx="6" ry="4" fill="#ff8a8a" opacity="0.75"/>\n'
    # beak
    b += '<g id="mouth" stroke="#b0500a" stroke-width="1.6" stroke-linejoin="round">\n'
    if open_:
        b += '<path d="M51,68 Q60,74 69,68 Q69,80 60,83 Q51,80 51,68 Z" fill="#8a1c1c"/>\n'
        b += '<path d="M54,76 Q60,73 66,76 Q64,81 60,82 Q56,81 54,76 Z" fill="#ff6f7d" stroke="none"/>\n'
        b += '<path d="M49,68 Q52,59 60,58 Q68,59 71,68 Q60,73 49,68 Z" fill="url(#bk)"/>\n'
        b += '<path d="M52,79 Q60,82 68,79 Q66,87 60,88 Q54,87 52,79 Z" fill="#f07a10"/>\n'
    else:
        b += '<path d="M50,70 Q52,61 60,60 Q68,61 70,70 Q60,74 50,70 Z" fill="url(#bk)"/>\n'
        b += '<path d="M52,70 Q60,74 68,70 Q66,78 60,79 Q54,78 52,70 Z" fill="#f07a10"/>\n'
    b += '<ellipse cx="56" cy="63.5" rx="3" ry="1.4" fill="#ffe0a0" stroke="none" opacity="0.8"/>\n'
    b += '</g>\n'
    return svg(120, 160, b, d)

def write(n, text):
    with open(os.path.join(OUT, f"{n}.svg"), "w") as f:
        f.write(text)

os.makedirs(OUT, exist_ok=True)
write(511, chick(False)); write(521, chick(True))
# ---------------------------------------------------------------- crab
def crab(open_):
    d = radial("rb", [(0, "#d9a8ff"), (0.55, "#a45fe0"), (1, "#6d2fb0")], "45%", "30%", "75%")
    d += radial("rc", [(0, "#d6a0ff"), (0.6, "#9a52d8"), (1, "#6a2aa8")], "40%", "35%", "70%")
    ol = "#3f1470"
    b = ""
    # legs, three a side
    b += f'<g fill="none" stroke="{ol}" stroke-width="7" stroke-linecap="round" stroke-linejoin="round">\n'
    legs = [((32, 82), (16, 88), (10, 100)), ((36, 88), (24, 98), (20, 108)), ((42, 92), (36, 102), (34, 109))]
    paths = []
    for a, m, e in legs:
        paths.append(f'M{a[0]},{a[1]} L{m[0]},{m[1]} L{e[0]},{e[1]}')
        paths.append(f'M{120-a[0]},{a[1]} L{120-m[0]},{m[1]} L{120-e[0]},{e[1]}')
    b += "".join(f'<path d="{p}"/>' for p in paths) + '\n</g>\n'
    b += '<g fill="none" stroke="#9350d0" stroke-width="3.6" stroke-linecap="round" stroke-linejoin="round">\n'
    b += "".join(f'<path d="{p}"/>' for p in paths) + '\n</g>\n'
    # arms
    b += f'<path d="M34,70 Q18,66 18,48 M86,70 Q102,66 102,48" fill="none" stroke="{ol}" stroke-width="9" stroke-linecap="round"/>\n'
    b += '<path d="M34,70 Q18,66 18,48 M86,70 Q102,66 102,48" fill="none" stroke="#9350d0" stroke-width="5.4" stroke-linecap="round"/>\n'
    # claws
    claw = ('M-12,2 C-15,-10 -11,-20 -4,-25 C-3,-17 -2,-12 0,-9 C3,-13 6,-17 10,-21 '
            'C15,-14 14,-4 12,2 C9,12 -9,12 -12,2 Z')
    for tx, rot, sx in ((16, -18, 1), (104, 18, -1)):
        b += (f'<g transform="translate({tx},40) rotate({rot}) scale({sx},1)">'
              f'<path d="{claw}" fill="url(#rc)" stroke="{ol}" stroke-width="2.2" stroke-linejoin="round"/>'
              f'<ellipse cx="-5" cy="-4" rx="3" ry="5" fill="#ffffff" opacity="0.35"/></g>\n')
    # eye stalks
    b += f'<path d="M48,54 L45,32 M72,54 L75,32" stroke="{ol}" stroke-width="7" stroke-linecap="round"/>\n'
    b += '<path d="M48,54 L45,32 M72,54 L75,32" stroke="#9a55d8" stroke-width="3.6" stroke-linecap="round"/>\n'
    for ex in (44, 76):
        b += f'<circle cx="{ex}" cy="26" r="10" fill="#ffffff" stroke="{ol}" stroke-width="2"/>\n'
        b += eye(ex + (2 if ex < 60 else -2), 27, 4.6, 5.6)
    # body
    b += f'<path d="M22,72 C22,52 40,46 60,46 C80,46 98,52 98,72 C98,88 80,96 60,96 C40,96 22,88 22,72 Z" fill="url(#rb)" stroke="{ol}" stroke-width="2.4"/>\n'
    b += '<ellipse cx="46" cy="56" rx="11" ry="4.5" fill="#ffffff" opacity="0.3" transform="rotate(-10 46 56)"/>\n'
    b += '<circle cx="68" cy="55" r="2.4" fill="#c890f5"/><circle cx="76" cy="60" r="1.8" fill="#c890f5"/><circle cx="60" cy="53" r="1.6" fill="#c890f5"/>\n'
    # cheeks
    b += '<ellipse cx="38" cy="76" rx="6" ry="3.6" fill="#ff7fb0" opacity="0.7"/><ellipse cx="82" cy="76" rx="6" ry="3.6" fill="#ff7fb0" opacity="0.7"/>\n'
    b += '<g id="mouth">\n'
    if open_:
        b += f'<path d="M50,73 Q60,76 70,73 Q69,88 60,89 Q51,88 50,73 Z" fill="#3a0a2a" stroke="{ol}" stroke-width="1.8" stroke-linejoin="round"/>\n'
        b += '<path d="M53,84 Q60,79 67,84 Q64,88.5 60,88.6 Q56,88.5 53,84 Z" fill="#ff6f9a"/>\n'
    else:
        b += f'<path d="M50,75 Q60,84 70,75" fill="none" stroke="{ol}" stroke-width="2.6" stroke-linecap="round"/>\n'
    b += '</g>\n'
    return svg(120, 112, b, d)

# ---------------------------------------------------------------- camel
def leg(x, top, fill, sw):
    # thigh, knobbly knee, thin shin, wide soft foot
    return (f'<path d="M{x-1},{top} C{x-1},{top+12} {x+1},{top+16} {x+1},{top+22} C{x},{top+26} {x+2},{top+30} {x+3},{top+38} '
            f'L{x+2},{top+42} Q{x-3},{top+47} {x+3},{top+47} L{x+11},{top+47} Q{x+15},{top+46} {x+9},{top+42} '
            f'L{x+9},{top+38} C{x+9},{top+30} {x+10},{top+26} {x+10},{top+22} C{x+10},{top+16} {x+13},{top+8} {x+13},{top} Z" fill="{fill}" {sw}/>\n')

def camel(open_):
    d = linear("kb", [(0, "#f2cc8a"), (0.6, "#e0ad62"), (1, "#c48c44")])
    d += radial("kh", [(0, "#f8daa0"), (0.6, "#e6b66c"), (1, "#c99048")], "40%", "35%", "75%")
    d += linear("kl", [(0, "#d8a45a"), (1, "#b88040")])
    ol = "#7a4a1c"
    sw = 'stroke="%s" stroke-width="2.2" stroke-linejoin="round"' % ol
    b = ""
    # far legs (darker)
    for x in (24, 62):
        b += leg(x, 80, "#b57e3e", sw)
    # near legs (tucked under the body)
    for x in (34, 72):
        b += leg(x, 82, "url(#kl)", sw)
    # tail
    b += f'<path d="M13,66 Q8,76 9,90" fill="none" stroke="{ol}" stroke-width="4.5" stroke-linecap="round"/>\n'
    b += f'<path d="M13,66 Q8,76 9,90" fill="none" stroke="#d6a35c" stroke-width="2" stroke-linecap="round"/>\n'
    b += f'<path d="M9,88 Q4,96 8,100 Q12,97 12,88 Z" fill="#8a5a2a" stroke="{ol}" stroke-width="1.2"/>\n'
    # neck (drawn under the head and over the body)
    neck = 'M66,66 C74,62 78,52 80,40 L96,42 C94,56 88,70 76,84 Z'
    # body with two humps
    body = ('M12,70 C10,58 16,52 24,52 C26,34 44,30 46,48 C50,32 68,32 68,52 '
            'C76,54 80,62 80,72 C80,86 70,90 60,90 L30,90 C18,90 12,82 12,70 Z')
    b += f'<path d="{body}" fill="url(#kb)" {sw}/>\n'
    b += f'<path d="{neck}" fill="url(#kb)" {sw}/>\n'
    b += f'<path d="{body}" fill="url(#kb)" stroke="none"/>\n'
    # hump shine
    b += '<ellipse cx="34" cy="40" rx="6" ry="3.5" fill="#ffffff" opacity="0.35" transform="rotate(-30 34 40)"/>\n'
    b += '<ellipse cx="56" cy="40" rx="6" ry="3.5" fill="#ffffff" opacity="0.35" transform="rotate(-20 56 40)"/>\n'
    # head
    head = 'M76,30 C74,16 84,8 96,8 C106,8 114,14 116,24 C118,34 112,40 104,40 C94,40 80,42 76,30 Z'
    b += f'<path d="M80,14 Q78,4 84,4 Q88,6 87,12 Z" fill="#c99048" {sw}/>\n'
    b += f'<path d="{head}" fill="url(#kh)" {sw}/>\n'
    b += f'<path d="M80,40 L95,41" stroke="#e0ad62" stroke-width="3"/>\n'
    # tuft of hair on top
    b += f'<path d="M84,10 Q86,2 90,8 Q93,1 96,8 Q100,3 100,10 Z" fill="#9a6428" stroke="{ol}" stroke-width="1.2" stroke-linejoin="round"/>\n'
    # eye with lashes
    b += eye(94, 21, 4.6, 5.8)
    b += f'<path d="M89,15 L87,12 M92,13.5 L91,10 M95.5,13.5 L96,10" stroke="{ol}" stroke-width="1.4" stroke-linecap="round"/>\n'
    b += '<ellipse cx="100" cy="30" rx="4.5" ry="2.6" fill="#ff8a80" opacity="0.6"/>\n'
    # nostril
    b += f'<path d="M111,20 Q113,19 114,21" fill="none" stroke="{ol}" stroke-width="1.6" stroke-linecap="round"/>\n'
    b += '<g id="mouth">\n'
    if open_:
        b += f'<path d="M102,30 Q110,31 116.5,27 Q117.5,39 109,40 Q102.5,39 102,30 Z" fill="#5a1a1a" stroke="{ol}" stroke-width="1.6" stroke-linejoin="round"/>\n'
        b += '<path d="M104.5,36 Q109.5,32.5 114.5,35 Q112.5,39 109,39.2 Q106,39 104.5,36 Z" fill="#ff7f8a"/>\n'
        b += f'<path d="M101.5,38 Q109,42 117.5,36.5 Q117,44 109,44.5 Q102,44 101.5,38 Z" fill="#e6b66c" stroke="{ol}" stroke-width="1.6" stroke-linejoin="round"/>\n'
    else:
        b += f'<path d="M104,31 Q110,33 115,29" fill="none" stroke="{ol}" stroke-width="1.8" stroke-linecap="round"/>\n'
    b += '</g>\n'
    return svg(120, 135, b, d)

# ---------------------------------------------------------------- shrimp
import math
def bez(p, t):
    (x0, y0), (x1, y1), (x2, y2), (x3, y3) = p
    u = 1 - t
    x = u*u*u*x0 + 3*u*u*t*x1 + 3*u*t*t*x2 + t*t*t*x3
    y = u*u*u*y0 + 3*u*u*t*y1 + 3*u*t*t*y2 + t*t*t*y3
    return x, y

def shrimp(open_):
    d = radial("sh", [(0, "#ffd2a4"), (0.55, "#ff9a4a"), (1, "#ea6c1c")], "40%", "32%", "72%")
    d += linear("ss", [(0, "#ffb070"), (0.5, "#ff8a3a"), (1, "#e2601a")], "0", "0", "1", "0")
    d += linear("sf", [(0, "#8ae872"), (1, "#2fa84a")])
    ol = "#a8420c"
    gol = "#1d6e2e"
    b = ""
    # centre line of the body: down from the head, bulging to the left, curling forward at the tail
    C = ((60, 70), (30, 100), (28, 142), (76, 140))
    N = 40
    def w(t): return 21 - 13 * t
    P = [bez(C, i / N) for i in range(N + 1)]
    L, R = [], []
    for i, (x, y) in enumerate(P):
        a = P[max(i - 1, 0)]; c = P[min(i + 1, N)]
        tx, ty = c[0] - a[0], c[1] - a[1]
        ln = math.hypot(tx, ty); nx, ny = -ty / ln, tx / ln
        ww = w(i / N)
        L.append((x + nx * ww, y + ny * ww)); R.append((x - nx * ww, y - ny * ww))
    # swimmerets on the belly side (inside of the curl)
    fins = ""
    for k in range(5):
        t = 0.18 + k * 0.15
        i = int(t * N)
        x, y = R[i] if R[i][0] > L[i][0] else L[i]
        fx, fy = P[i]
        ang = math.degrees(math.atan2(y - fy, x - fx))
        s = 1.0 - 0.1 * k
        fins += (f'<g transform="translate({x:.1f},{y:.1f}) rotate({ang+25:.1f}) scale({s:.2f})">'
                 f'<path d="M-2,-3 C6,-6 12,-3 14,2 C8,4 3,4 -2,3 Z" fill="url(#sf)" stroke="{gol}" stroke-width="1.4" stroke-linejoin="round"/></g>\n')
    b += fins
    # tail fan
    ex, ey = P[-1]
    b += (f'<g transform="translate({ex-6:.1f},{ey:.1f}) rotate(-12)">'
          f'<path d="M0,-2 C6,-14 18,-22 32,-20 C28,-12 26,-6 24,0 C26,6 28,12 32,20 C18,22 6,14 0,2 Z" fill="url(#sf)" stroke="{gol}" stroke-width="1.8" stroke-linejoin="round"/>'
          f'<path d="M6,0 C14,-8 22,-12 29,-15 M6,0 L24,0 M6,0 C14,8 22,12 29,15" fill="none" stroke="{gol}" stroke-width="1.1" stroke-linecap="round"/></g>\n')
    # shell outline
    pts = L + list(reversed(R))
    path = "M" + " L".join(f"{x:.1f},{y:.1f}" for x, y in pts) + " Z"
    b += f'<path d="{path}" fill="url(#ss)" stroke="{ol}" stroke-width="2.2" stroke-linejoin="round"/>\n'
    # shell bands
    bands = ""
    for k in range(1, 7):
        i = int(k * N / 7)
        (lx, ly), (rx, ry), (cx, cy) = L[i], R[i], P[i]
        # bow each band a little towards the tail
        j = min(i + 2, N)
        dx, dy = P[j][0] - cx, P[j][1] - cy
        bands += f'M{lx:.1f},{ly:.1f} Q{cx+dx:.1f},{cy+dy:.1f} {rx:.1f},{ry:.1f} '
    b += f'<path d="{bands}" fill="none" stroke="{ol}" stroke-width="1.8" stroke-linecap="round"/>\n'
    # back highlight
    hl = [L[i] for i in range(4, 30, 2)]
    hp = "M" + " L".join(f"{x+2.5:.1f},{y:.1f}" for x, y in hl)
    b += f'<path d="{hp}" fill="none" stroke="#ffd8b0" stroke-width="2.4" stroke-linecap="round" opacity="0.7"/>\n'
    # antennae
    b += f'<path d="M50,30 C42,10 26,4 8,14 M70,30 C78,10 94,4 112,14" fill="none" stroke="{ol}" stroke-width="3.4" stroke-linecap="round"/>\n'
    b += '<path d="M50,30 C42,10 26,4 8,14 M70,30 C78,10 94,4 112,14" fill="none" stroke="#ff9a4a" stroke-width="1.5" stroke-linecap="round"/>\n'
    # head fins
    for sx in (1, -1):
        b += (f'<g transform="translate(60,0) scale({sx},1) translate(-60,0)">'
              f'<path d="M34,60 C26,52 16,54 13,62 C20,64 24,70 33,69 Z" fill="url(#sf)" stroke="{gol}" stroke-width="1.8" stroke-linejoin="round"/>'
              f'<path d="M32,64 C26,61 20,61 16,62" fill="none" stroke="{gol}" stroke-width="1"/></g>\n')
    # head
    b += f'<circle cx="60" cy="52" r="27" fill="url(#sh)" stroke="{ol}" stroke-width="2.2"/>\n'
    # little pointed crest
    b += f'<path d="M54,27 Q60,14 66,27 Z" fill="#ff9a4a" stroke="{ol}" stroke-width="1.8" stroke-linejoin="round"/>\n'
    b += '<path d="M52,25.6 Q60,30 68,25.6 Q60,27 52,25.6 Z" fill="#ffb577"/>\n'
    b += '<ellipse cx="47" cy="36" rx="8.5" ry="4.6" fill="#ffffff" opacity="0.35" transform="rotate(-25 47 36)"/>\n'
    b += eye(49, 48, 5.6, 7) + eye(71, 48, 5.6, 7)
    b += '<ellipse cx="41" cy="62" rx="5.5" ry="3.4" fill="#ff5a7a" opacity="0.55"/><ellipse cx="79" cy="62" rx="5.5" ry="3.4" fill="#ff5a7a" opacity="0.55"/>\n'
    b += '<g id="mouth">\n'
    if open_:
        b += f'<path d="M52,61 Q60,64 68,61 Q67,74 60,75 Q53,74 52,61 Z" fill="#5a1010" stroke="{ol}" stroke-width="1.8" stroke-linejoin="round"/>\n'
        b += '<path d="M54.5,70.5 Q60,66.5 65.5,70.5 Q63,74.6 60,74.7 Q57,74.6 54.5,70.5 Z" fill="#ff7f8a"/>\n'
    else:
        b += f'<path d="M52,63 Q60,70 68,63" fill="none" stroke="{ol}" stroke-width="2.4" stroke-linecap="round"/>\n'
    b += '</g>\n'
    return svg(120, 160, b, d)

write(512, crab(False)); write(522, crab(True))
write(513, camel(False)); write(523, camel(True))
write(514, shrimp(False)); write(524, shrimp(True))
