"""The editor's artwork as SVG: one document per image frame, written next to this file.

Every image shares one palette and one light: a warm, dark faceplate lit from the top
left. Parts that the editor rotates (knob bodies, the Bias knob, the knob shadow) are
shaded symmetrically about their centre, so turning them never turns the light; the
directional light of the large knobs lives in their fixed overlay, and the cast shadows
of everything round are baked into the background.

Geometry in UI units (the editor's 1630 x 1010 space); each SVG is drawn at 1x and the
renderer doubles it for the density-2 files.
"""

import math
import os

import kelvora_tables

PANEL_W, PANEL_H = 1630, 1010

# Frame sizes (width, height) of one frame at 1x; the layout positions controls by them.
KNOB = 260  # "Nuppi.png" and "NupikkaVarjo.png"
# The overlays sit 9 or 11 units left and 13 or 14 units above their bodies: 20 wider
# and 27 taller keeps every overlay centre within one unit of its body's centre.
OVERLAY = (KNOB + 20, KNOB + 27)
BIAS = 112
LAMP = (64, 64)
REACT = (196, 64)
FLIPPER = (74, 150)
DELTA = (100, 56)
OVERSAMPLING = (100, 78)

# Control positions, from the editor's layout table.
KNOBS = [  # (title, body x, body y, scale labels, unit)
    ("Input Gain", *kelvora_tables.position("Nuppi.png", "input_gain"),
     ["0", "50", "100", "150", "200"], "%"),
    ("Tame", *kelvora_tables.position("Nuppi.png", "tame"), ["0", "0.25", "0.5", "0.75", "1"],
     ""),
    ("Output Gain", *kelvora_tables.position("Nuppi.png", "output_gain"),
     ["0", "30", "60", "90", "120"], "%"),
    ("Wet", *kelvora_tables.position("Nuppi.png", "wet"), ["0", "25", "50", "75", "100"], "%"),
]
BIAS_POS = kelvora_tables.position("BIASNUPPI.png", "bias")
LAMP_POS = kelvora_tables.position("ledOn.png", "bypass")
REACT_POS = kelvora_tables.position("LiukuAnim.png", "react")
FLIPPER_POS = kelvora_tables.position("FlipperAnim.png", "bypass")
DELTA_POS = kelvora_tables.position("Delta.png", "delta")
OVERSAMPLING_POS = kelvora_tables.position("Oversampling.png", "oversampling")
OVERSAMPLING_STEPS = ["1x", "2x", "4x", "8x"]

SWEEP = 130.0  # degrees either side of straight up

# Palette.
PANEL_TOP = "#2b231e"
PANEL_BOTTOM = "#161210"
INK = "#eadcc0"  # silkscreen cream
INK_DIM = "#a8987c"
COPPER = "#c07a3e"
COPPER_DARK = "#5a3218"
AMBER = "#ffb347"
AMBER_HOT = "#ffe2a8"
KNOB_DARK = "#17120f"
KNOB_MID = "#2e2622"
POINTER = "#f3e6c9"

SANS = "Roboto"
CONDENSED = "Roboto Condensed"


def polar(cx, cy, r, deg):
    """Point at angle deg clockwise from straight up."""
    a = math.radians(deg)
    return cx + r * math.sin(a), cy - r * math.cos(a)


def f(v):
    return f"{v:.2f}".rstrip("0").rstrip(".")


def document(w, h, body, defs=""):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
        f'viewBox="0 0 {w} {h}">\n<defs>\n{defs}\n</defs>\n{body}\n</svg>\n'
    )


def text(x, y, s, size, fill=INK, anchor="middle", family=SANS, weight=400, spacing=0,
         opacity=1.0):
    """Silkscreen print: a faint dark copy down-right keeps it readable on the grain."""
    common = (f'font-family="{family}" font-size="{size}" font-weight="{weight}" '
              f'text-anchor="{anchor}" letter-spacing="{spacing}"')
    return (f'<text x="{f(x + 1)}" y="{f(y + 1.5)}" {common} fill="#000" '
            f'fill-opacity="{0.55 * opacity:.2f}">{s}</text>\n'
            f'<text x="{f(x)}" y="{f(y)}" {common} fill="{fill}" '
            f'fill-opacity="{opacity:.2f}">{s}</text>')


def blur_filter(fid, sd):
    return (f'<filter id="{fid}" x="-50%" y="-50%" width="200%" height="200%">'
            f'<feGaussianBlur stdDeviation="{sd}"/></filter>')


# ---------------------------------------------------------------------------------------
# Background


def knob_centre(x, y, size=KNOB):
    return x + size / 2, y + size / 2


def scale(cx, cy, r_in, r_major, r_minor, r_label, labels, label_size, minors_per_gap):
    parts = []
    n = len(labels)
    steps = (n - 1) * (minors_per_gap + 1)
    arc_a = polar(cx, cy, r_in, -SWEEP)
    arc_b = polar(cx, cy, r_in, SWEEP)
    parts.append(f'<path d="M{f(arc_a[0])},{f(arc_a[1])} A{r_in},{r_in} 0 1 1 '
                 f'{f(arc_b[0])},{f(arc_b[1])}" fill="none" stroke="{INK_DIM}" '
                 f'stroke-width="1.5" stroke-opacity="0.7"/>')
    for i in range(steps + 1):
        deg = -SWEEP + 2 * SWEEP * i / steps
        major = i % (minors_per_gap + 1) == 0
        p0 = polar(cx, cy, r_in, deg)
        p1 = polar(cx, cy, r_major if major else r_minor, deg)
        parts.append(f'<line x1="{f(p0[0])}" y1="{f(p0[1])}" x2="{f(p1[0])}" y2="{f(p1[1])}" '
                     f'stroke="{INK if major else INK_DIM}" '
                     f'stroke-width="{3 if major else 1.6}" stroke-linecap="round"/>')
    for i, label in enumerate(labels):
        deg = -SWEEP + 2 * SWEEP * i / (n - 1)
        lx, ly = polar(cx, cy, r_label, deg)
        parts.append(text(lx, ly + label_size * 0.36, label, label_size, INK_DIM,
                          family=CONDENSED, weight=400))
    return "\n".join(parts)


def knob_well(cx, cy, r, fid):
    """The recess a round control sits in, and its shadow cast down-right onto the panel."""
    return (f'<circle cx="{f(cx + 7)}" cy="{f(cy + 11)}" r="{f(r)}" fill="#000" '
            f'fill-opacity="0.6" filter="url(#{fid})"/>\n'
            f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r + 3)}" fill="none" stroke="#000" '
            f'stroke-opacity="0.35" stroke-width="2"/>')


def background():
    defs = [
        f'<linearGradient id="panel" x1="0" y1="0" x2="1" y2="1">'
        f'<stop offset="0" stop-color="{PANEL_TOP}"/><stop offset="1" '
        f'stop-color="{PANEL_BOTTOM}"/></linearGradient>',
        '<radialGradient id="vignette" cx="0.42" cy="0.38" r="0.75">'
        '<stop offset="0.55" stop-color="#000" stop-opacity="0"/>'
        '<stop offset="1" stop-color="#000" stop-opacity="0.45"/></radialGradient>',
        '<filter id="brushed" x="0" y="0" width="1" height="1">'
        '<feTurbulence type="fractalNoise" baseFrequency="0.0015 0.55" numOctaves="2" '
        'seed="7"/><feColorMatrix type="matrix" values="0 0 0 0 1  0 0 0 0 0.9  '
        '0 0 0 0 0.8  0 0 0 0.9 -0.38"/></filter>',
        '<linearGradient id="header" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#0f0c0a"/><stop offset="1" stop-color="#1a1512"/>'
        '</linearGradient>',
        f'<linearGradient id="copperRule" x1="0" y1="0" x2="1" y2="0">'
        f'<stop offset="0" stop-color="{COPPER}" stop-opacity="0"/>'
        f'<stop offset="0.5" stop-color="{COPPER}"/>'
        f'<stop offset="1" stop-color="{COPPER}" stop-opacity="0"/></linearGradient>',
        '<linearGradient id="plate" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#0c0a09"/><stop offset="1" stop-color="#1b1613"/>'
        '</linearGradient>',
        '<linearGradient id="bevel" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#000" stop-opacity="0.7"/>'
        '<stop offset="1" stop-color="#fff" stop-opacity="0.12"/></linearGradient>',
        '<linearGradient id="edge" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#fff" stop-opacity="0.16"/>'
        '<stop offset="1" stop-color="#000" stop-opacity="0.6"/></linearGradient>',
        blur_filter("soft", 9),
        blur_filter("softSmall", 4),
        blur_filter("glow", 18),
    ]
    b = [
        f'<rect width="{PANEL_W}" height="{PANEL_H}" fill="url(#panel)"/>',
        f'<rect width="{PANEL_W}" height="{PANEL_H}" filter="url(#brushed)" opacity="0.4"/>',
        f'<rect width="{PANEL_W}" height="{PANEL_H}" fill="url(#vignette)"/>',
        f'<rect x="1.5" y="1.5" width="{PANEL_W - 3}" height="{PANEL_H - 3}" fill="none" '
        f'stroke="url(#edge)" stroke-width="3"/>',
    ]

    # Header strip: maker, the lamp and what the product is.
    b.append(f'<rect x="0" y="0" width="{PANEL_W}" height="72" fill="url(#header)"/>')
    b.append('<line x1="0" y1="72.5" x2="1630" y2="72.5" stroke="#fff" stroke-opacity="0.08"/>')
    b.append('<line x1="0" y1="71" x2="1630" y2="71" stroke="#000" stroke-opacity="0.6" '
             'stroke-width="2"/>')
    b.append(text(40, 46, "Murkwhale", 28, INK, anchor="start", weight=500, spacing=3))
    b.append(f'<circle cx="26" cy="37" r="4" fill="{COPPER}"/>')
    b.append(text(PANEL_W - 40, 46, "STEREO SATURATOR", 22, INK_DIM, anchor="end",
                  weight=400, spacing=6))
    lx, ly = LAMP_POS[0] + LAMP[0] / 2, LAMP_POS[1] + LAMP[1] / 2
    b.append(f'<circle cx="{f(lx + 3)}" cy="{f(ly + 5)}" r="29" fill="#000" fill-opacity="0.7" '
             f'filter="url(#softSmall)"/>')
    b.append(text(lx + 44, ly + 8, "Bypass", 22, INK_DIM, anchor="start", weight=400))

    # The product name, centred under the lamp.
    bx = lx
    b.append(f'<ellipse cx="{f(bx)}" cy="250" rx="330" ry="90" fill="{COPPER}" '
             f'fill-opacity="0.07" filter="url(#glow)"/>')
    b.append(text(bx, 285, "Kelvora", 150, INK, weight=300, spacing=10))
    b.append(f'<rect x="{f(bx - 270)}" y="322" width="540" height="2" fill="url(#copperRule)"/>')
    b.append(text(bx, 368, "SATURATION  ·  DRIVE  ·  TAME", 22, INK_DIM, weight=400,
                  spacing=5))

    # Large knobs: recess, scale, title.
    for i, (title, x, y, labels, unit) in enumerate(KNOBS):
        cx, cy = knob_centre(x, y)
        b.append(knob_well(cx, cy, OVERLAY[0] / 2 - 4, "soft"))
        b.append(scale(cx, cy, 145, 157, 152, 172, labels[:-1] + [labels[-1] + unit], 24, 4))
        b.append(text(cx, cy - 204, title, 34, INK, weight=500, spacing=1))

    # Bias knob.
    cx, cy = knob_centre(*BIAS_POS, BIAS)
    b.append(knob_well(cx, cy, BIAS / 2 - 4, "softSmall"))
    b.append(scale(cx, cy, 62, 72, 68, 90, ["0", "0.5", "1"], 22, 4))
    b.append(text(cx, 733 - 204, "Bias", 34, INK, weight=500, spacing=1))

    # React slide switch: its title below, its two positions either side.
    rx, ry = REACT_POS
    rw, rh = REACT
    b.append(f'<rect x="{rx + 38 + 4}" y="{ry + 6 + 6}" width="{rw - 76}" height="{rh - 12}" '
             f'rx="8" fill="#000" fill-opacity="0.55" filter="url(#softSmall)"/>')
    b.append(text(rx + 19, ry + rh / 2 + 7, "OFF", 20, INK_DIM, family=CONDENSED, weight=500))
    b.append(text(rx + rw - 19, ry + rh / 2 + 7, "ON", 20, INK_DIM, family=CONDENSED,
                  weight=500))
    b.append(text(rx + rw / 2, ry + rh + 42, "React", 34, INK, weight=500, spacing=1))

    # Bypass flip switch: lever up bypasses.
    fx, fy = FLIPPER_POS
    fw, fh = FLIPPER
    b.append(f'<rect x="{fx + 12}" y="{fy + 16}" width="{fw - 14}" height="{fh - 20}" rx="8" '
             f'fill="#000" fill-opacity="0.6" filter="url(#softSmall)"/>')
    b.append(text(fx + fw / 2, fy - 22, "Bypass", 34, INK, weight=500, spacing=1))
    b.append(text(fx + fw + 14, fy + 30, "ON", 22, INK_DIM, anchor="start", family=CONDENSED,
                  weight=500))
    b.append(text(fx + fw + 14, fy + fh - 22, "OFF", 22, INK_DIM, anchor="start",
                  family=CONDENSED, weight=500))

    # Delta push button.
    dx, dy = DELTA_POS
    dw, dh = DELTA
    b.append(f'<rect x="{dx + 16}" y="{dy + 10}" width="{dw - 26}" height="{dh - 10}" rx="7" '
             f'fill="#000" fill-opacity="0.6" filter="url(#softSmall)"/>')
    b.append(text(dx + dw / 2, dy - 12, "Delta", 26, INK, weight=500))

    # Oversampling: an engraved window of the four rates; the lit frame covers one of them.
    ox, oy = OVERSAMPLING_POS
    ow, oh = OVERSAMPLING
    b.append(text(PANEL_W - 8, oy - 10, "Oversampling", 22, INK, anchor="end",
                  family=CONDENSED, weight=500))
    b.append(f'<rect x="{ox}" y="{oy}" width="{ow}" height="{oh}" rx="6" fill="url(#plate)"/>')
    b.append(f'<rect x="{ox + 0.75}" y="{oy + 0.75}" width="{ow - 1.5}" height="{oh - 1.5}" '
             f'rx="6" fill="none" stroke="url(#bevel)" stroke-width="1.5"/>')
    for i, step in enumerate(OVERSAMPLING_STEPS):
        cx0, cy0, cw, ch = oversampling_cell(i)
        b.append(f'<rect x="{f(ox + cx0)}" y="{f(oy + cy0)}" width="{f(cw)}" height="{f(ch)}" '
                 f'rx="4" fill="#000" fill-opacity="0.35"/>')
        b.append(text(ox + cx0 + cw / 2, oy + cy0 + ch / 2 + 8, step, 23, INK_DIM,
                      family=CONDENSED, weight=700, opacity=0.55))

    return document(PANEL_W, PANEL_H, "\n".join(b), "\n".join(defs))


def oversampling_cell(i):
    """Cell i of the 2 x 2 rate window, relative to the control: x, y, width, height."""
    margin, gap = 5, 4
    cw = (OVERSAMPLING[0] - 2 * margin - gap) / 2
    ch = (OVERSAMPLING[1] - 2 * margin - gap) / 2
    return margin + (i % 2) * (cw + gap), margin + (i // 2) * (ch + gap), cw, ch


# ---------------------------------------------------------------------------------------
# Knobs


def knob_body(size, r, knurls, pointer_from, cap_colours, cap_ratio):
    c = size / 2
    cap_r = r * cap_ratio
    defs = [
        f'<radialGradient id="skirt" cx="0.5" cy="0.5" r="0.5">'
        f'<stop offset="0.80" stop-color="{KNOB_MID}"/>'
        f'<stop offset="1" stop-color="{KNOB_DARK}"/></radialGradient>',
        f'<radialGradient id="cap" cx="0.5" cy="0.5" r="0.5">'
        f'<stop offset="0" stop-color="{cap_colours[0]}"/>'
        f'<stop offset="1" stop-color="{cap_colours[1]}"/></radialGradient>',
    ]
    b = [f'<circle cx="{c}" cy="{c}" r="{f(r)}" fill="url(#skirt)"/>']
    for i in range(knurls):
        deg = 360 * i / knurls
        p0 = polar(c, c, cap_r + (r - cap_r) * 0.35, deg)
        p1 = polar(c, c, r - 1, deg)
        b.append(f'<line x1="{f(p0[0])}" y1="{f(p0[1])}" x2="{f(p1[0])}" y2="{f(p1[1])}" '
                 f'stroke="#4a3f37" stroke-width="{f(r * 0.025 + 0.6)}" stroke-linecap="round"/>')
    b.append(f'<circle cx="{c}" cy="{c}" r="{f(cap_r + 2)}" fill="#0b0908"/>')
    b.append(f'<circle cx="{c}" cy="{c}" r="{f(cap_r)}" fill="url(#cap)"/>')
    ring = 4
    while ring < cap_r - 2:
        b.append(f'<circle cx="{c}" cy="{c}" r="{ring}" fill="none" stroke="#fff" '
                 f'stroke-opacity="0.025" stroke-width="1"/>')
        ring += 3
    # The pointer runs across cap and skirt so it reads at every angle and at half size.
    width = max(4.0, r * 0.07)
    y0, y1 = c - r * pointer_from, c - r + 4
    b.append(f'<line x1="{c}" y1="{f(y0)}" x2="{c}" y2="{f(y1)}" stroke="#000" '
             f'stroke-opacity="0.6" stroke-width="{f(width + 4)}" stroke-linecap="round"/>')
    b.append(f'<line x1="{c}" y1="{f(y0)}" x2="{c}" y2="{f(y1)}" stroke="{POINTER}" '
             f'stroke-width="{f(width)}" stroke-linecap="round"/>')
    return document(size, size, "\n".join(b), "\n".join(defs))


def nuppi():
    return knob_body(KNOB, 118, 60, 0.30, ("#3a312b", "#27201c"), 0.83)


def bias_knob():
    return knob_body(BIAS, 52, 30, 0.28, ("#9a6436", "#5a3520"), 0.72)


def knob_shadow():
    c = KNOB / 2
    defs = ('<radialGradient id="s" cx="0.5" cy="0.5" r="0.5">'
            '<stop offset="0" stop-color="#000" stop-opacity="0.55"/>'
            '<stop offset="0.55" stop-color="#000" stop-opacity="0.38"/>'
            '<stop offset="1" stop-color="#000" stop-opacity="0"/></radialGradient>')
    return document(KNOB, KNOB, f'<circle cx="{c}" cy="{c}" r="108" fill="url(#s)"/>', defs)


def knob_overlay():
    w, h = OVERLAY
    cx, cy = w / 2, h / 2
    r_knob, r_in, r_out = 118, 122, 137
    defs = [
        '<linearGradient id="bezel" x1="0.15" y1="0.1" x2="0.85" y2="0.9">'
        '<stop offset="0" stop-color="#d9a878"/><stop offset="0.45" stop-color="#8a5a35"/>'
        '<stop offset="1" stop-color="#2e1b10"/></linearGradient>',
        '<linearGradient id="bezelInner" x1="0.85" y1="0.9" x2="0.15" y2="0.1">'
        '<stop offset="0" stop-color="#e8b98a" stop-opacity="0.9"/>'
        '<stop offset="1" stop-color="#000" stop-opacity="0.8"/></linearGradient>',
        '<linearGradient id="shade" x1="0.2" y1="0.1" x2="0.8" y2="0.95">'
        '<stop offset="0" stop-color="#fff" stop-opacity="0.10"/>'
        '<stop offset="0.5" stop-color="#fff" stop-opacity="0"/>'
        '<stop offset="1" stop-color="#000" stop-opacity="0.35"/></linearGradient>',
        '<radialGradient id="gloss" cx="0.5" cy="0.5" r="0.5">'
        '<stop offset="0" stop-color="#fff" stop-opacity="0.22"/>'
        '<stop offset="1" stop-color="#fff" stop-opacity="0"/></radialGradient>',
        '<linearGradient id="rim" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#fff" stop-opacity="0.45"/>'
        '<stop offset="0.45" stop-color="#fff" stop-opacity="0"/></linearGradient>',
    ]
    ring = (f'M{cx - r_out},{cy} a{r_out},{r_out} 0 1 0 {2 * r_out},0 '
            f'a{r_out},{r_out} 0 1 0 {-2 * r_out},0 Z '
            f'M{cx - r_in},{cy} a{r_in},{r_in} 0 1 1 {2 * r_in},0 '
            f'a{r_in},{r_in} 0 1 1 {-2 * r_in},0 Z')
    b = [
        f'<path d="{ring}" fill="url(#bezel)" fill-rule="evenodd"/>',
        f'<circle cx="{cx}" cy="{cy}" r="{r_in + 0.75}" fill="none" stroke="url(#bezelInner)" '
        f'stroke-width="1.5"/>',
        f'<circle cx="{cx}" cy="{cy}" r="{r_out - 0.75}" fill="none" stroke="#000" '
        f'stroke-opacity="0.5" stroke-width="1.5"/>',
        f'<circle cx="{cx}" cy="{cy}" r="{r_knob}" fill="url(#shade)"/>',
        f'<ellipse cx="{f(cx - 38)}" cy="{f(cy - 42)}" rx="52" ry="30" fill="url(#gloss)" '
        f'transform="rotate(-45 {f(cx - 38)} {f(cy - 42)})"/>',
        f'<circle cx="{cx}" cy="{cy}" r="{r_knob - 1}" fill="none" stroke="url(#rim)" '
        f'stroke-width="2"/>',
    ]
    return document(w, h, "\n".join(b), "\n".join(defs))


# ---------------------------------------------------------------------------------------
# Lamp and switches


def lamp(lit):
    w, h = LAMP
    c = w / 2, h / 2
    if lit:
        glass = ('<stop offset="0" stop-color="#fff4d6"/><stop offset="0.35" '
                 f'stop-color="{AMBER}"/><stop offset="0.8" stop-color="#e0561a"/>'
                 '<stop offset="1" stop-color="#8a240a"/>')
    else:
        glass = ('<stop offset="0" stop-color="#5a2a16"/><stop offset="0.7" '
                 'stop-color="#2e140a"/><stop offset="1" stop-color="#160805"/>')
    defs = [
        f'<radialGradient id="glass" cx="0.5" cy="0.5" r="0.5">{glass}</radialGradient>',
        '<radialGradient id="halo" cx="0.5" cy="0.5" r="0.5">'
        f'<stop offset="0.55" stop-color="{AMBER}" stop-opacity="0.55"/>'
        f'<stop offset="1" stop-color="{AMBER}" stop-opacity="0"/></radialGradient>',
        '<linearGradient id="bezel" x1="0.15" y1="0.1" x2="0.85" y2="0.9">'
        '<stop offset="0" stop-color="#d9a878"/><stop offset="0.5" stop-color="#8a5a35"/>'
        '<stop offset="1" stop-color="#2e1b10"/></linearGradient>',
        '<radialGradient id="gloss" cx="0.5" cy="0.5" r="0.5">'
        '<stop offset="0" stop-color="#fff" stop-opacity="0.7"/>'
        '<stop offset="1" stop-color="#fff" stop-opacity="0"/></radialGradient>',
    ]
    b = []
    if lit:
        b.append(f'<circle cx="{c[0]}" cy="{c[1]}" r="32" fill="url(#halo)"/>')
    b += [
        f'<circle cx="{c[0]}" cy="{c[1]}" r="26" fill="url(#bezel)"/>',
        f'<circle cx="{c[0]}" cy="{c[1]}" r="20.5" fill="#0a0605"/>',
        f'<circle cx="{c[0]}" cy="{c[1]}" r="19" fill="url(#glass)"/>',
        f'<ellipse cx="{c[0] - 7}" cy="{c[1] - 8}" rx="8" ry="5" fill="url(#gloss)" '
        f'transform="rotate(-40 {c[0] - 7} {c[1] - 8})"/>',
    ]
    return document(w, h, "\n".join(b), "\n".join(defs))


def metal_defs(prefix="m"):
    return (f'<linearGradient id="{prefix}" x1="0" y1="0" x2="1" y2="1">'
            '<stop offset="0" stop-color="#e9e1d4"/><stop offset="0.45" stop-color="#9c9286"/>'
            '<stop offset="1" stop-color="#4a433c"/></linearGradient>')


def react_switch(on):
    w, h = REACT
    px, pw = 38, w - 76
    slot_x, slot_w = px + 14, pw - 28
    travel = slot_w - 40
    thumb_x = slot_x + (travel if on else 0)
    defs = [
        '<linearGradient id="plate" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#3a312b"/><stop offset="1" stop-color="#1a1512"/>'
        '</linearGradient>',
        metal_defs(),
        '<linearGradient id="slot" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#000"/><stop offset="1" stop-color="#1c1713"/>'
        '</linearGradient>',
        blur_filter("glow", 3),
    ]
    b = [
        f'<rect x="{px}" y="6" width="{pw}" height="{h - 12}" rx="8" fill="url(#plate)"/>',
        f'<rect x="{px + 0.75}" y="6.75" width="{pw - 1.5}" height="{h - 13.5}" rx="8" '
        'fill="none" stroke="#fff" stroke-opacity="0.12" stroke-width="1.5"/>',
        f'<rect x="{slot_x}" y="{h / 2 - 9}" width="{slot_w}" height="18" rx="9" '
        'fill="url(#slot)"/>',
    ]
    if on:
        b.append(f'<rect x="{slot_x + 6}" y="{h / 2 - 3}" width="{travel}" height="6" rx="3" '
                 f'fill="{AMBER}" filter="url(#glow)"/>')
        b.append(f'<rect x="{slot_x + 6}" y="{h / 2 - 2}" width="{travel}" height="4" rx="2" '
                 f'fill="{AMBER_HOT}"/>')
    tx, ty, tw, th = thumb_x, h / 2 - 19, 40, 38
    b.append(f'<rect x="{tx + 3}" y="{ty + 4}" width="{tw}" height="{th}" rx="5" fill="#000" '
             'fill-opacity="0.55"/>')
    b.append(f'<rect x="{tx}" y="{ty}" width="{tw}" height="{th}" rx="5" fill="url(#m)"/>')
    for i in range(5):
        gx = tx + 9 + i * 5.5
        b.append(f'<line x1="{gx}" y1="{ty + 8}" x2="{gx}" y2="{ty + th - 8}" stroke="#2a241f" '
                 'stroke-opacity="0.7" stroke-width="1.6"/>')
        b.append(f'<line x1="{gx + 1.6}" y1="{ty + 8}" x2="{gx + 1.6}" y2="{ty + th - 8}" '
                 'stroke="#fff" stroke-opacity="0.45" stroke-width="1"/>')
    return document(w, h, "\n".join(b), "\n".join(defs))


def flipper(bypassed):
    w, h = FLIPPER
    cx, cy = w / 2, h / 2
    defs = [
        '<linearGradient id="plate" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#4a4038"/><stop offset="1" stop-color="#1c1714"/>'
        '</linearGradient>',
        metal_defs(),
        '<linearGradient id="lever" x1="0" y1="0" x2="1" y2="0">'
        '<stop offset="0" stop-color="#f4eee4"/><stop offset="0.4" stop-color="#b9b0a4"/>'
        '<stop offset="1" stop-color="#4d463f"/></linearGradient>',
        '<radialGradient id="ball" cx="0.35" cy="0.3" r="0.7">'
        '<stop offset="0" stop-color="#fffaf0"/><stop offset="0.5" stop-color="#aaa095"/>'
        '<stop offset="1" stop-color="#3e3832"/></radialGradient>',
        blur_filter("sh", 3),
    ]
    b = [
        f'<rect x="6" y="8" width="{w - 12}" height="{h - 16}" rx="8" fill="url(#plate)"/>',
        f'<rect x="6.75" y="8.75" width="{w - 13.5}" height="{h - 17.5}" rx="8" fill="none" '
        'stroke="#fff" stroke-opacity="0.15" stroke-width="1.5"/>',
    ]
    for sy in (18, h - 18):
        b.append(f'<circle cx="{cx}" cy="{sy}" r="4.5" fill="url(#m)"/>')
        b.append(f'<line x1="{cx - 3}" y1="{sy + 1.5}" x2="{cx + 3}" y2="{sy - 1.5}" '
                 'stroke="#2a241f" stroke-width="1.4"/>')
    hexagon = " ".join(f"{f(cx + 21 * math.cos(math.radians(a)))},"
                       f"{f(cy + 21 * math.sin(math.radians(a)))}" for a in range(0, 360, 60))
    b.append(f'<polygon points="{hexagon}" fill="#000" fill-opacity="0.5" '
             'transform="translate(2 3)" filter="url(#sh)"/>')
    b.append(f'<polygon points="{hexagon}" fill="url(#m)"/>')
    b.append(f'<circle cx="{cx}" cy="{cy}" r="12" fill="#2a241f"/>')
    tip_y = 28 if bypassed else h - 28
    # The lever's shadow falls down-right, whichever way it points.
    b.append(f'<path d="M{cx - 6},{cy} L{cx - 4},{tip_y} L{cx + 4},{tip_y} L{cx + 6},{cy} Z" '
             'fill="#000" fill-opacity="0.55" transform="translate(4 5)" filter="url(#sh)"/>')
    b.append(f'<circle cx="{cx + 4}" cy="{tip_y + 5}" r="10" fill="#000" fill-opacity="0.5" '
             'filter="url(#sh)"/>')
    b.append(f'<path d="M{cx - 6.5},{cy} L{cx - 4},{tip_y} L{cx + 4},{tip_y} L{cx + 6.5},{cy} Z" '
             'fill="url(#lever)"/>')
    b.append(f'<circle cx="{cx}" cy="{cy}" r="7" fill="url(#lever)"/>')
    b.append(f'<circle cx="{cx}" cy="{tip_y}" r="10" fill="url(#ball)"/>')
    return document(w, h, "\n".join(b), "\n".join(defs))


def delta_button(on):
    w, h = DELTA
    x, y, bw, bh = 12, 5, w - 24, h - 12
    press = 1.5 if on else 0
    defs = [
        '<linearGradient id="cap" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="{"#3a302a" if on else "#453a33"}"/>'
        '<stop offset="1" stop-color="#1e1915"/></linearGradient>',
        '<linearGradient id="capEdge" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#fff" stop-opacity="0.3"/>'
        '<stop offset="1" stop-color="#000" stop-opacity="0.5"/></linearGradient>',
        blur_filter("glow", 3),
    ]
    b = [
        f'<rect x="{x - 3}" y="{y - 3}" width="{bw + 6}" height="{bh + 6}" rx="8" fill="#0a0807"/>',
        f'<rect x="{x}" y="{y + press}" width="{bw}" height="{bh}" rx="6" fill="url(#cap)"/>',
        f'<rect x="{x + 0.75}" y="{y + press + 0.75}" width="{bw - 1.5}" height="{bh - 1.5}" '
        'rx="6" fill="none" stroke="url(#capEdge)" stroke-width="1.5"/>',
    ]
    lx, ly, lw, lh = x + 14, y + press + 10, bw - 28, 7
    if on:
        b.append(f'<rect x="{lx - 2}" y="{ly - 2}" width="{lw + 4}" height="{lh + 4}" rx="4" '
                 f'fill="{AMBER}" filter="url(#glow)"/>')
        b.append(f'<rect x="{lx}" y="{ly}" width="{lw}" height="{lh}" rx="3" fill="{AMBER_HOT}"/>')
    else:
        b.append(f'<rect x="{lx}" y="{ly}" width="{lw}" height="{lh}" rx="3" fill="#3a1f0e"/>')
    b.append(f'<text x="{w / 2}" y="{y + press + bh - 8}" font-family="{SANS}" font-size="16" '
             f'font-weight="700" text-anchor="middle" fill="{INK if on else INK_DIM}">Δ</text>')
    return document(w, h, "\n".join(b), "\n".join(defs))


def oversampling(index):
    w, h = OVERSAMPLING
    x, y, cw, ch = oversampling_cell(index)
    defs = [
        '<linearGradient id="cell" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#ffcb73"/><stop offset="1" stop-color="#e0781f"/>'
        '</linearGradient>',
        blur_filter("glow", 2.5),
    ]
    b = [
        f'<rect x="{f(x)}" y="{f(y)}" width="{f(cw)}" height="{f(ch)}" rx="4" fill="{AMBER}" '
        'fill-opacity="0.8" filter="url(#glow)"/>',
        f'<rect x="{f(x)}" y="{f(y)}" width="{f(cw)}" height="{f(ch)}" rx="4" fill="url(#cell)"/>',
        f'<text x="{f(x + cw / 2)}" y="{f(y + ch / 2 + 8)}" font-family="{CONDENSED}" '
        f'font-size="23" font-weight="700" text-anchor="middle" fill="#2a1206">'
        f'{OVERSAMPLING_STEPS[index]}</text>',
    ]
    return document(w, h, "\n".join(b), "\n".join(defs))


# ---------------------------------------------------------------------------------------

# Each image: file name -> list of SVG documents, one per frame, top to bottom.
IMAGES = {
    "Kelvorabackground.jpg": [background()],
    "Nuppi.png": [nuppi()],
    "NupikkaVarjo.png": [knob_shadow()],
    "NuppiOverlay.png": [knob_overlay()],
    "BIASNUPPI.png": [bias_knob()],
    "ledOn.png": [lamp(False), lamp(True)],
    "LiukuAnim.png": [react_switch(False), react_switch(True)],
    "FlipperAnim.png": [flipper(False), flipper(True)],
    "Oversampling.png": [oversampling(i) for i in range(4)],
    "Delta.png": [delta_button(False), delta_button(True)],
}


def svg_name(image, frame, frames):
    stem = os.path.splitext(image)[0]
    return f"{stem}.svg" if frames == 1 else f"{stem}-{frame + 1}.svg"


def write_sources(folder):
    """Writes every frame's SVG into folder; returns {image: [svg paths]}."""
    written = {}
    for image, frames in IMAGES.items():
        paths = []
        for i, svg in enumerate(frames):
            path = os.path.join(folder, svg_name(image, i, len(frames)))
            with open(path, "w", encoding="utf-8") as out:
                out.write(svg)
            paths.append(path)
        written[image] = paths
    return written


if __name__ == "__main__":
    write_sources(os.path.dirname(os.path.abspath(__file__)))
