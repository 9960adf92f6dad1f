#!/usr/bin/env python3
"""Derives pictures from the hand-drawn fish, so each fish has one source of truth.

For every FishNL.svg (frames swimming right) it writes:
  FishNR.svg  the same frames, each mirrored in place (swimming left);
  IconN.svg   frame 0 scaled into that kind's goal-icon box.
The packer reads SVGs from memory, so the derived files embed the artwork instead of
referencing it. Run after editing a fish: python3 assets/game/derive.py
"""
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))
FRAMES = 4

# Goal icons sit in the top strip: each must fit the gap to the next icon and end above
# y 40, where its counter is drawn (max width, top y of the icon).
ICON_BOX = {1: (66, 5), 2: (64, 3), 3: (45, 10), 4: (62, 8), 5: (48, 10),
            6: (84, 5), 7: (40, 5), 8: (62, 8), 9: (116, 3), 10: (90, 12)}
ICON_BOTTOM = 38  # last pixel row the icon may use

HEADER = ('<?xml version="1.0" encoding="UTF-8"?>\n<!-- {note} -->\n'
          '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
          'width="{w}" height="{h}" viewBox="{vb}">\n')


def read_fish(kind):
    with open(os.path.join(HERE, f"Fish{kind}L.svg"), encoding="utf-8") as f:
        text = f.read()
    root = re.search(r"<svg\b[^>]*>", text)
    width = int(re.search(r'width="(\d+)"', root.group(0)).group(1))
    height = int(re.search(r'height="(\d+)"', root.group(0)).group(1))
    inner = text[root.end():text.rindex("</svg>")]
    return width // FRAMES, height, inner


def prefixed(inner, prefix):
    # Ids must stay unique when the artwork is embedded next to new definitions.
    inner = re.sub(r'id="([^"]+)"', lambda m: f'id="{prefix}{m.group(1)}"', inner)
    inner = re.sub(r'url\(#([^)]+)\)', lambda m: f'url(#{prefix}{m.group(1)})', inner)
    return re.sub(r'href="#([^"]+)"', lambda m: f'href="#{prefix}{m.group(1)}"', inner)


def mirrored(kind, w, h, inner):
    out = [HEADER.format(note=f"Derived from Fish{kind}L.svg by derive.py: swimming left.",
                         w=w * FRAMES, h=h, vb=f"0 0 {w * FRAMES} {h}")]
    out.append(f'  <defs>\n    <g id="strip">{prefixed(inner, "s-")}</g>\n')
    for k in range(FRAMES):
        out.append(f'    <clipPath id="f{k}"><rect x="{k * w}" y="0" width="{w}" height="{h}"/>'
                   '</clipPath>\n')
    out.append("  </defs>\n")
    for k in range(FRAMES):
        out.append(f'  <g clip-path="url(#f{k})"><use xlink:href="#strip" '
                   f'transform="matrix(-1 0 0 1 {(2 * k + 1) * w} 0)"/></g>\n')
    out.append("</svg>\n")
    return "".join(out)


def icon(kind, w, h, inner):
    max_w, top = ICON_BOX[kind]
    max_h = ICON_BOTTOM - top
    scale = min(max_w / w, max_h / h, 1.0)
    iw, ih = max(1, int(w * scale)), max(1, int(h * scale))
    return (HEADER.format(note=f"Derived from Fish{kind}L.svg by derive.py: goal icon of kind {kind}.",
                          w=iw, h=ih, vb=f"0 0 {w} {h}")
            + f'  <clipPath id="f0"><rect width="{w}" height="{h}"/></clipPath>\n'
            + f'  <g clip-path="url(#f0)">{prefixed(inner, "s-")}</g>\n</svg>\n')


def main():
    for kind in range(1, 11):
        w, h, inner = read_fish(kind)
        for name, text in ((f"Fish{kind}R.svg", mirrored(kind, w, h, inner)),
                           (f"Icon{kind}.svg", icon(kind, w, h, inner))):
            with open(os.path.join(HERE, name), "w", encoding="utf-8") as f:
                f.write(text)


if __name__ == "__main__":
    main()
