#!/usr/bin/env python3
"""Writes MainIcon.ico: a 32x32 true-colour icon, a white check mark on a blue disc."""
import struct
import sys

SIZE = 32


def pixel(x, y):
    cx = cy = (SIZE - 1) / 2
    if (x - cx) ** 2 + (y - cy) ** 2 > (SIZE / 2 - 1) ** 2:
        return (0, 0, 0, 0)  # transparent
    # The check mark: two strokes, y measured from the top.
    on_short = abs((y - 16) - (x - 8)) <= 2 and 8 <= x <= 14
    on_long = abs((y - 22) + (x - 14)) <= 2 and 14 <= x <= 24
    if on_short or on_long:
        return (255, 255, 255, 255)
    return (200, 90, 30, 255)  # blue, in BGRA order


def image():
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = bytearray()
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        for x in range(SIZE):
            rows += bytes(pixel(x, SIZE - 1 - y))
    mask_row = (SIZE + 31) // 32 * 4
    mask = bytearray()
    for y in range(SIZE - 1, -1, -1):
        bits = 0
        for x in range(SIZE):
            if pixel(x, SIZE - 1 - y)[3] == 0:
                bits |= 1 << (SIZE - 1 - x)
        mask += bits.to_bytes(SIZE // 8, 'big') + bytes(mask_row - SIZE // 8)
    return header + rows + mask


def main(path):
    data = image()
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(data), 6 + 16)
    with open(path, 'wb') as f:
        f.write(directory + entry + data)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'MainIcon.ico')
