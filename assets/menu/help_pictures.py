#!/usr/bin/env python3
"""Writes help pages 3 (the fish) and 4 (the objects) around the play-field artwork.

The pages show the very pictures the player meets at sea, so they are built from
../game/FishNL.svg and ../game/ObjN.svg (one frame of each, cut with the pattern sizes
of ../game/GameImgs.manifest) and embedded whole, because the packer reads each SVG on
its own. Run it again after the fish or objects change:
    python3 assets/menu/help_pictures.py
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# The play-field pictures; another folder may be named on the command line.
GAME = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "game")

CARD = """<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="734px" height="285px" viewBox="0 0 734 285">
  <!-- Help page {page} of 4, drawn at (33, 175) on the help panel: {about}.
       Written by help_pictures.py from the play-field pictures. -->
  <rect x="12" y="10" width="710" height="266" rx="14" fill="#FFFDF6" stroke="#D8B57A" stroke-width="2.5"/>
  <g transform="translate(12,10)" font-family="Comic Neue" font-weight="bold">
    <text x="24" y="36" font-size="26" fill="#12263F">{title}</text>
    <text x="688" y="34" font-size="16" fill="#A88656" text-anchor="end">{page} / 4</text>
{body}  </g>
</svg>
"""

GOOD = "#1F8A4C"
BAD = "#D2452F"
TEXT = "#2A3550"


def pattern_sizes():
    sizes = {}
    with open(os.path.join(GAME, "GameImgs.manifest"), encoding="utf-8") as f:
        for line in f:
            fields = line.split()
            if len(fields) >= 4 and not fields[0].startswith(";"):
                sizes[fields[1]] = (int(fields[2]), int(fields[3]))
    return sizes


def frame(source, index, box_w, box_h, cx, cy, prefix, sizes):
    """One frame of a play-field picture, scaled to fit the box and centred on (cx, cy)."""
    with open(os.path.join(GAME, source), encoding="utf-8") as f:
        text = f.read()
    root = re.search(r"<svg\b[^>]*>", text)
    inner = text[root.end():text.rindex("</svg>")]
    inner = re.sub(r"<!--.*?-->", "", inner, flags=re.S)
    # Ids must stay unique once several pictures share one document.
    inner = re.sub(r'\bid="([^"]+)"', lambda m: f'id="{prefix}{m.group(1)}"', inner)
    inner = re.sub(r'url\(#([^)]+)\)', lambda m: f"url(#{prefix}{m.group(1)})", inner)
    inner = re.sub(r'href="#([^"]+)"', lambda m: f'href="#{prefix}{m.group(1)}"', inner)
    fw, fh = sizes[source]
    scale = min(box_w / fw, box_h / fh, 1.6)
    w, h = fw * scale, fh * scale
    return (f'    <svg x="{cx - w / 2:.1f}" y="{cy - h / 2:.1f}" width="{w:.1f}" height="{h:.1f}" '
            f'viewBox="{index * fw} 0 {fw} {fh}">{inner.strip()}</svg>\n')


def fish_page(sizes):
    points = [10, 10, 10, 10, 10, 20, 50, 50, 100, 100]
    body = ""
    for i, p in enumerate(points):
        col, row = i % 5, i // 5
        cx = 10 + 138 * col + 69
        top = 50 + 92 * row
        body += frame(f"Fish{i + 1}L.svg", 0, 116, 46, cx, top + 28, f"f{i + 1}-", sizes)
        body += (f'    <text x="{cx}" y="{top + 78}" font-size="18" fill="{GOOD}" '
                 f'text-anchor="middle">{p} points</text>\n')
    body += (f'    <path d="M20,232 H690" stroke="#E7D3AC" stroke-width="2"/>\n'
             f'    <text x="24" y="256" font-size="18" fill="{TEXT}">The long eel pays 100 when it '
             f'bites with its head, but hooked by the tail it costs <tspan fill="{BAD}">50</tspan>.</text>\n')
    return CARD.format(page=3, about="the fish and their points", title="The fish", body=body)


def objects_page(sizes):
    # (picture, frame shown, name, effect, effect colour, column, row)
    items = [
        ("Obj1.svg", 0, "Old boot", "-50 points", BAD, 0, 0),
        ("Obj2.svg", 0, "Tangled net", "-50 points and a tenth of the time", BAD, 0, 1),
        ("Obj3.svg", 0, "Treasure chest", "+50 points", GOOD, 1, 0),
        ("Obj4.svg", 0, "Hourglass", "+ a tenth of the level's time", GOOD, 1, 1),
        ("Obj5.svg", 4, "Clam on the sea floor", "+100 points", GOOD, 1, 2),
    ]
    body = ""
    for n, (source, index, name, effect, colour, col, row) in enumerate(items):
        x = 24 + 340 * col
        top = 50 + 58 * row
        body += frame(source, index, 56, 48, x + 28, top + 26, f"o{n + 1}-", sizes)
        body += (f'    <text x="{x + 70}" y="{top + 22}" font-size="19" fill="{TEXT}">{name}</text>\n'
                 f'    <text x="{x + 70}" y="{top + 44}" font-size="17" fill="{colour}">{effect}</text>\n')
    body += (f'    <text x="24" y="{50 + 58 * 2 + 22}" font-size="17" fill="{TEXT}">Junk snags the hook</text>\n'
             f'    <text x="24" y="{50 + 58 * 2 + 44}" font-size="17" fill="{TEXT}">even when it is full.</text>\n'
             f'    <path d="M20,232 H690" stroke="#E7D3AC" stroke-width="2"/>\n'
             f'    <text x="24" y="256" font-size="18" fill="{TEXT}">Things you land change your score '
             f'and clock, but they never count toward the goals.</text>\n')
    return CARD.format(page=4, about="what else lies in the sea", title="Things in the sea", body=body)


def main():
    sizes = pattern_sizes()
    for name, page in (("help_page3.svg", fish_page(sizes)), ("help_page4.svg", objects_page(sizes))):
        with open(os.path.join(HERE, name), "w", encoding="utf-8") as f:
            f.write(page)


if __name__ == "__main__":
    main()
