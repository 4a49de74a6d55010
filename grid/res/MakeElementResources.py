#!/usr/bin/env python3
"""Draws the grid's element cursors and row-selector bitmaps.

Writes, beside this script:
  Connector.cur, ConnectorOther.cur   the sibling-row connector's cursors
  SizeCols.cur, SizeRows.cur, SizeBoth.cur   sizing scroll regions
  RowActive.bmp, RowChanged.bmp, RowActiveChanged.bmp,
  AddRow.bmp, AddRowActive.bmp        12 x 12 row-selector marks

Cursors are 32 x 32 monochrome: a black shape with a white outline on a
transparent ground. The selector marks are 24-bit bitmaps whose black
pixels are the transparent ground; the mark itself is near-black, so that
a fore colour can replace every pixel that is not black.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


# ---- cursors ---------------------------------------------------------------

def blank(size=32):
    return [[' '] * size for _ in range(size)]


def put(grid, x, y, ch='#'):
    if 0 <= y < len(grid) and 0 <= x < len(grid[0]):
        grid[y][x] = ch


def hline(grid, x0, x1, y):
    for x in range(min(x0, x1), max(x0, x1) + 1):
        put(grid, x, y)


def vline(grid, x, y0, y1):
    for y in range(min(y0, y1), max(y0, y1) + 1):
        put(grid, x, y)


def arrow(grid, tip_x, tip_y, dx, dy, length=4):
    """A filled triangular head pointing (dx, dy) with its tip at tip."""
    for step in range(length):
        cx, cy = tip_x - dx * step, tip_y - dy * step
        for spread in range(-step, step + 1):
            put(grid, cx + dy * spread, cy + dx * spread)


def outline(grid):
    """Surrounds every black pixel with white where the ground shows."""
    size = len(grid)
    out = [row[:] for row in grid]
    for y in range(size):
        for x in range(size):
            if grid[y][x] != '#':
                continue
            for oy in (-1, 0, 1):
                for ox in (-1, 0, 1):
                    nx, ny = x + ox, y + oy
                    if 0 <= nx < size and 0 <= ny < size and out[ny][nx] == ' ':
                        out[ny][nx] = 'o'
    return out


def size_cols():
    g = blank()
    vline(g, 14, 8, 23)
    vline(g, 17, 8, 23)
    hline(g, 7, 13, 16)
    hline(g, 18, 24, 16)
    arrow(g, 6, 16, -1, 0)
    arrow(g, 25, 16, 1, 0)
    return g


def size_rows():
    g = blank()
    hline(g, 8, 23, 14)
    hline(g, 8, 23, 17)
    vline(g, 16, 7, 13)
    vline(g, 16, 18, 24)
    arrow(g, 16, 6, 0, -1)
    arrow(g, 16, 25, 0, 1)
    return g


def size_both():
    g = blank()
    vline(g, 14, 9, 22)
    vline(g, 17, 9, 22)
    hline(g, 9, 22, 14)
    hline(g, 9, 22, 17)
    vline(g, 15, 5, 8)
    vline(g, 15, 23, 26)
    hline(g, 5, 8, 15)
    hline(g, 23, 26, 15)
    arrow(g, 15, 3, 0, -1, 3)
    arrow(g, 15, 28, 0, 1, 3)
    arrow(g, 3, 15, -1, 0, 3)
    arrow(g, 28, 15, 1, 0, 3)
    return g


def connector():
    # A row marker: a horizontal arrow onto a short bar (the row it joins).
    g = blank()
    hline(g, 6, 20, 16)
    hline(g, 6, 20, 15)
    arrow(g, 24, 15, 1, 0, 5)
    arrow(g, 24, 16, 1, 0, 5)
    vline(g, 26, 8, 23)
    vline(g, 27, 8, 23)
    return g


def connector_other():
    # Another row: a vertical arrow along the connector line.
    g = blank()
    vline(g, 15, 6, 20)
    vline(g, 16, 6, 20)
    arrow(g, 15, 25, 0, 1, 5)
    arrow(g, 16, 25, 0, 1, 5)
    hline(g, 9, 22, 4)
    hline(g, 9, 22, 5)
    return g


def write_cursor(name, grid, hotspot):
    grid = outline(grid)
    size = 32
    xor_rows, and_rows = [], []
    for y in reversed(range(size)):  # bottom-up
        xor_bits = and_bits = 0
        for x in range(size):
            ch = grid[y][x]
            bit = 1 << (31 - x)
            if ch == ' ':
                and_bits |= bit
            elif ch == 'o':
                xor_bits |= bit
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    image = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    image += struct.pack('<II', 0x000000, 0xFFFFFF)
    image += b''.join(xor_rows) + b''.join(and_rows)
    header = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', size, size, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(header + entry + image)


# ---- selector marks --------------------------------------------------------

MARK = (0x10, 0x10, 0x10)


def mark_blank():
    return [[None] * 12 for _ in range(12)]


def mark_arrow(m, left=3):
    # A triangle pointing right, 8 pixels high.
    for col in range(4):
        for y in range(2 + col, 9 - col + 1):
            m[y][left + col] = MARK


def mark_pencil(m, left=0):
    # A pencil lying from the lower left to the upper right.
    for i in range(8):
        x, y = left + 1 + i, 9 - i
        for ox, oy in ((0, 0), (1, 0), (0, 1)):
            if 0 <= x + ox < 12 and 0 <= y + oy < 12:
                m[y + oy][x + ox] = MARK
    m[10][left] = MARK


def mark_star(m, cx=8, cy=5):
    for d in range(-2, 3):
        m[cy][cx + d] = MARK
        m[cy + d][cx] = MARK
    for d in (-2, -1, 1, 2):
        m[cy + d][cx + d] = MARK
        m[cy + d][cx - d] = MARK


def write_bitmap(name, marks):
    width = height = 12
    stride = (width * 3 + 3) & ~3
    pixels = b''
    for y in reversed(range(height)):
        row = b''
        for x in range(width):
            r, g, b = marks[y][x] or (0, 0, 0)
            row += bytes((b, g, r))
        pixels += row + b'\0' * (stride - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(header + info + pixels)


def main():
    write_cursor('SizeCols.cur', size_cols(), (15, 16))
    write_cursor('SizeRows.cur', size_rows(), (16, 15))
    write_cursor('SizeBoth.cur', size_both(), (15, 15))
    write_cursor('Connector.cur', connector(), (26, 15))
    write_cursor('ConnectorOther.cur', connector_other(), (15, 25))

    active = mark_blank()
    mark_arrow(active, 4)
    write_bitmap('RowActive.bmp', active)

    changed = mark_blank()
    mark_pencil(changed, 1)
    write_bitmap('RowChanged.bmp', changed)

    both = mark_blank()
    mark_arrow(both, 0)
    mark_pencil(both, 3)
    write_bitmap('RowActiveChanged.bmp', both)

    add = mark_blank()
    mark_star(add, 6, 6)
    write_bitmap('AddRow.bmp', add)

    add_active = mark_blank()
    mark_arrow(add_active, 0)
    mark_star(add_active, 8, 6)
    write_bitmap('AddRowActive.bmp', add_active)


if __name__ == '__main__':
    main()
