"""Writers for the file formats the program loads: 8-bit BMP, 4-bit ICO, 16-bit PCM WAVE;
and PNG for the desktop entry's icon."""

import struct
import zlib


def _dib_rows(index_rows, bits):
    """Bottom-up rows of packed indices, each padded to a multiple of four bytes."""
    out = bytearray()
    for row in reversed(index_rows):
        if bits == 8:
            packed = bytes(row)
        elif bits == 4:
            padded = list(row) + [0] * (len(row) % 2)
            packed = bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
        else:  # 1 bit
            packed = bytearray((len(row) + 7) // 8)
            for x, v in enumerate(row):
                if v:
                    packed[x // 8] |= 0x80 >> (x % 8)
            packed = bytes(packed)
        out += packed + bytes(-len(packed) % 4)
    return bytes(out)


def _palette_bytes(palette):
    return b''.join(struct.pack('<BBBB', c[2], c[1], c[0], 0) for c in palette)


def bmp8(palette, index_rows):
    """A Windows 3 BMP file, 8 bits per pixel, BI_RGB, with a 256-colour table."""
    assert len(palette) == 256
    h, w = len(index_rows), len(index_rows[0])
    bits = _dib_rows(index_rows, 8)
    offset = 14 + 40 + 1024
    header = struct.pack('<2sIHHI', b'BM', offset + len(bits), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, len(bits), 2835, 2835, 256, 0)
    return header + info + _palette_bytes(palette) + bits


def ico4(images):
    """An icon file of 16-colour images: each (palette of 16, index rows, mask rows with 1 = clear)."""
    head = struct.pack('<HHH', 0, 1, len(images))
    blobs = []
    for palette, index_rows, mask_rows in images:
        assert len(palette) == 16
        h, w = len(index_rows), len(index_rows[0])
        xor = _dib_rows(index_rows, 4)
        and_ = _dib_rows(mask_rows, 1)
        info = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 4, 0, len(xor) + len(and_), 0, 0, 16, 0)
        blobs.append((w, h, info + _palette_bytes(palette) + xor + and_))
    offset = 6 + 16 * len(images)
    entries = b''
    for w, h, blob in blobs:
        entries += struct.pack('<BBBBHHII', w % 256, h % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return head + entries + b''.join(b for _, _, b in blobs)


def wav16(rate, samples):
    """A RIFF WAVE file, PCM, 16-bit mono."""
    data = struct.pack('<%dh' % len(samples), *samples)
    fmt = struct.pack('<HHIIHH', 1, 1, rate, rate * 2, 2, 16)
    body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + b'data' + struct.pack('<I', len(data)) + data
    return b'RIFF' + struct.pack('<I', len(body)) + body


def png_rgba(image, scale=1):
    """A PNG file (8-bit RGBA) of one icon image (palette, index rows, mask rows with
    1 = clear), each pixel made a scale x scale block, so the picture stays the icon's."""
    palette, index_rows, mask_rows = image
    raw = bytearray()
    for index_row, mask_row in zip(index_rows, mask_rows):
        line = bytearray()
        for index, clear in zip(index_row, mask_row):
            r, g, b = palette[index]
            line += bytes((r, g, b, 0 if clear else 255)) * scale
        raw += (b'\0' + bytes(line)) * scale

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    w, h = len(index_rows[0]) * scale, len(index_rows) * scale
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))
