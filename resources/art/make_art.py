"""Regenerates the clock's bitmaps, icons and default chime from the drawing code here.

usage: make_art.py OUTPUT_DIR [NAME ...]   (names: frame font panel icons desktop chime; default all)
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import formats  # noqa: E402


def _frame():
    import frame
    return {'IDB_FRAME.bmp': formats.bmp8(*frame.draw())}


def _font():
    import font
    return {'IDB_FONT.bmp': formats.bmp8(*font.draw())}


def _panel():
    import panel
    return {'IDB_PANEL.bmp': formats.bmp8(*panel.draw())}


def _icons():
    import icons
    return {'pelio.ico': formats.ico4(icons.face_icon()), 'about2.ico': formats.ico4(icons.clock_icon())}


def _desktop():
    # The desktop entry's icon is icon 115's own 32 x 32 picture, also at four times its size.
    import icons
    face = icons.face_icon()[0]
    return {'pelio-32.png': formats.png_rgba(face), 'pelio-128.png': formats.png_rgba(face, 4)}


def _chime():
    import chime
    return {'pelio.wav': formats.wav16(chime.RATE, chime.samples())}


MAKERS = {'frame': _frame, 'font': _font, 'panel': _panel, 'icons': _icons, 'desktop': _desktop,
          'chime': _chime}


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__.strip())
    out = argv[1]
    names = argv[2:] or list(MAKERS)
    for name in names:
        for file_name, data in MAKERS[name]().items():
            with open(os.path.join(out, file_name), 'wb') as f:
                f.write(data)
            print('wrote %s (%d bytes)' % (file_name, len(data)))


if __name__ == '__main__':
    main(sys.argv)
