#!/usr/bin/env python3
"""Draws the program's pictures and writes them into resources/.

    make_artwork.py                 write the pictures
    make_artwork.py --check         exit 1 if the committed pictures differ from what this draws
    make_artwork.py --preview DIR   also write enlarged PNGs into DIR, to look at them

Standard library only; the output is the same, byte for byte, on every run.
"""

import argparse
import os
import sys

import fileformats
import pictures

RESOURCES = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..',
                                          'resources'))


def _enlarged(rows, factor):
    return [[p for p in row for _ in range(factor)] for row in rows for _ in range(factor)]


def _on_background(colours, mask, background):
    return [[c if m else background for c, m in zip(crow, mrow)] for crow, mrow in zip(colours, mask)]


def _side_by_side(*pictures_rows, gap=8, background=(255, 255, 255)):
    height = max(len(p) for p in pictures_rows)
    out = [[] for _ in range(height)]
    for p in pictures_rows:
        width = len(p[0])
        for y in range(height):
            out[y] += (p[y] if y < len(p) else [background] * width) + [background] * gap
    return out


def build():
    """{file name: bytes} and {preview name: rows}."""
    logo, about_picture = pictures.logo_and_about_picture()
    placeholder = pictures.preview_placeholder()
    icon, icon_mask = pictures.main_icon()
    balloons = [(n, *pictures.about_icon(n)) for n in (32, 16)]

    files = {
        'default_logo.bmp': fileformats.bitmap_24(logo),
        'preview_placeholder.bmp': fileformats.bitmap_24(placeholder),
        'about_picture.bmp': fileformats.bitmap_24(about_picture),
        'main.ico': fileformats.icon_file(
            [(48, 48, 0, 24, fileformats.icon_image_24(icon, icon_mask))]),
        'about.ico': fileformats.icon_file(
            [(n, n, 16, 4, fileformats.icon_image_4(indices, mask, pictures.VGA_PALETTE))
             for n, indices, mask in balloons]),
    }

    button_face, desktop = (212, 208, 200), (58, 110, 165)
    previews = {
        'default_logo': _enlarged(logo, 3),
        'preview_placeholder': _enlarged(placeholder, 3),
        'about_picture': _enlarged(about_picture, 4),
        'main_icon': _side_by_side(*[_enlarged(_on_background(icon, icon_mask, bg), 4)
                                     for bg in (button_face, desktop, (255, 255, 255))]),
    }
    for n, indices, mask in balloons:
        colours = [[pictures.VGA_PALETTE[i] for i in row] for row in indices]
        previews['about_icon_%d' % n] = _side_by_side(
            *[_enlarged(_on_background(colours, mask, bg), 8 if n == 32 else 12)
              for bg in (button_face, desktop)])
    return files, previews


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--check', action='store_true')
    parser.add_argument('--preview', metavar='DIR')
    args = parser.parse_args()

    files, previews = build()
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for name, rows in previews.items():
            with open(os.path.join(args.preview, name + '.png'), 'wb') as f:
                f.write(fileformats.png(rows))
    if args.check:
        stale = []
        for name, data in files.items():
            path = os.path.join(RESOURCES, name)
            if not os.path.exists(path) or open(path, 'rb').read() != data:
                stale.append(name)
        if stale:
            print('differs from what make_artwork.py draws: ' + ', '.join(stale))
            return 1
        print('all %d pictures match' % len(files))
        return 0
    for name, data in files.items():
        with open(os.path.join(RESOURCES, name), 'wb') as f:
            f.write(data)
    return 0


if __name__ == '__main__':
    sys.exit(main())
