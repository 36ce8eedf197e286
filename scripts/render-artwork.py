#!/usr/bin/python3
"""Renders the editor's images from resources/art at 1x and 2x, and a preview of the editor.

Run after changing resources/art/artwork.py; the rendered files are committed, so building
needs none of the tools used here (rsvg-convert from librsvg2-bin, python3-pil, and the
Roboto fonts from fonts-roboto-unhinted).
"""

import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART = os.path.join(ROOT, "resources", "art")
RESOURCES = os.path.join(ROOT, "resources")
DOCS = os.path.join(ROOT, "docs")
VERSION_FONT = "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf"
VERSION_TEXT = "v1.1.5 x86-64 VST3"

sys.dont_write_bytecode = True  # keep the art folder free of build droppings
sys.path.insert(0, ART)
import artwork  # noqa: E402


def rasterise(svg, scale, tmp):
    out = os.path.join(tmp, f"{os.path.basename(svg)}@{scale}.png")
    subprocess.run(["rsvg-convert", "--zoom", str(scale), "--format", "png", "--output", out, svg],
                   check=True)
    return Image.open(out).convert("RGBA")


def density_name(image, scale):
    stem, ext = os.path.splitext(image)
    return image if scale == 1 else f"{stem}@{scale}x{ext}"


def render_image(image, svgs, scale, tmp):
    frames = [rasterise(svg, scale, tmp) for svg in svgs]
    w, h = frames[0].size
    strip = Image.new("RGBA", (w, h * len(frames)), (0, 0, 0, 0))
    for i, frame in enumerate(frames):
        if frame.size != (w, h):
            raise SystemExit(f"{image}: frame {i + 1} is {frame.size}, expected {(w, h)}")
        strip.paste(frame, (0, i * h))
    path = os.path.join(RESOURCES, density_name(image, scale))
    if image.endswith(".jpg"):
        # Full-resolution chroma keeps the silkscreen text crisp.
        strip.convert("RGB").save(path, quality=93, subsampling=0, optimize=True)
    else:
        strip.save(path, optimize=True)
    return strip


def first_frame(strip, frames):
    w, h = strip.size
    return strip.crop((0, 0, w, h // frames))


def knob_angle(value, lo, hi):
    return -artwork.SWEEP + 2 * artwork.SWEEP * (value - lo) / (hi - lo)


def preview(images, scale):
    """The editor at its default parameter values, composed the way the layout draws it."""
    def place(name, x, y, frames=1, angle=0.0):
        frame = first_frame(images[name], frames)
        if angle:
            # The editor turns clockwise for positive angles; Pillow turns counter-clockwise.
            frame = frame.rotate(-angle, resample=Image.BICUBIC)
        canvas.alpha_composite(frame, (x * scale, y * scale))

    canvas = images["Kelvorabackground.jpg"].convert("RGBA")
    knobs = [  # body position, default angle, overlay position
        ((137, 206), knob_angle(32, 0, 200), (126, 192)),  # Input Gain
        ((137, 603), knob_angle(0.5, 0, 1), (126, 590)),  # Tame
        ((891, 603), knob_angle(100, 0, 120), (882, 590)),  # Output Gain
        ((1246, 603), knob_angle(50, 0, 100), (1237, 590)),  # Wet
    ]
    place("ledOn.png", *artwork.LAMP_POS, frames=2)
    place("BIASNUPPI.png", *artwork.BIAS_POS, angle=knob_angle(0.5, 0, 1))
    place("LiukuAnim.png", *artwork.REACT_POS, frames=2)
    place("FlipperAnim.png", *artwork.FLIPPER_POS, frames=2)
    for (x, y), angle, _ in knobs:
        place("NupikkaVarjo.png", x, y + artwork.SHADOW_DROP, angle=angle)
    for (x, y), angle, _ in knobs:
        place("Nuppi.png", x, y, angle=angle)
    for _, _, (x, y) in knobs:
        place("NuppiOverlay.png", x, y)
    place("Delta.png", *artwork.DELTA_POS, frames=2)
    place("Oversampling.png", *artwork.OVERSAMPLING_POS, frames=4)

    font = ImageFont.truetype(VERSION_FONT, 20 * scale)
    ImageDraw.Draw(canvas).text((1555 * scale, 995 * scale), VERSION_TEXT, font=font,
                                fill=(255, 255, 255, 255), anchor="mm")
    os.makedirs(DOCS, exist_ok=True)
    canvas.convert("RGB").save(os.path.join(DOCS, density_name("preview.png", scale)),
                               optimize=True)


def main():
    sources = artwork.write_sources(ART)
    with tempfile.TemporaryDirectory() as tmp:
        for scale in (1, 2):
            images = {image: render_image(image, svgs, scale, tmp)
                      for image, svgs in sources.items()}
            preview(images, scale)


if __name__ == "__main__":
    main()
