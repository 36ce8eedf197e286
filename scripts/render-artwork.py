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
import kelvora_tables  # noqa: E402


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


def frame_for_value(strip, frames, value):
    """The frame a control shows for a normalised value, as the editor picks it."""
    w, h = strip.size
    i = int((frames - 1) * min(max(value, 0.0), 1.0) + 0.5)
    return strip.crop((0, i * h // frames, w, (i + 1) * h // frames))


def knob_angle(value, lo, hi):
    return -artwork.SWEEP + 2 * artwork.SWEEP * (value - lo) / (hi - lo)


def preview(images, scale):
    """The editor at its default parameter values, composed as the layout table draws it."""
    params = kelvora_tables.params()
    canvas = None
    for row in kelvora_tables.layout():
        if row.control == "Background":
            canvas = images[row.image].convert("RGBA")
        elif row.control == "VersionLine":
            # Centred in the box from the row's position to the panel's corner.
            centre = ((row.x + artwork.PANEL_W) // 2 * scale,
                      (row.y + artwork.PANEL_H) // 2 * scale)
            font = ImageFont.truetype(VERSION_FONT, 20 * scale)
            ImageDraw.Draw(canvas).text(centre, VERSION_TEXT, font=font,
                                        fill=(255, 255, 255, 255), anchor="mm")
        else:
            p = params[row.param]
            normalised = (p.default - p.lo) / (p.hi - p.lo)
            frame = frame_for_value(images[row.image], row.frames, normalised)
            angle = knob_angle(p.default, p.lo, p.hi) if row.control == "Rotater" else 0.0
            if angle:
                # The editor turns clockwise for positive angles; Pillow turns counter-clockwise.
                frame = frame.rotate(-angle, resample=Image.BICUBIC)
            canvas.alpha_composite(frame, (row.x * scale, row.y * scale))
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
