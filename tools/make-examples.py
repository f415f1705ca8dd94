#!/usr/bin/env python3
"""Writes the sample route-sign images of examples/ (run from the repository root)."""

FONT = {  # 5 x 7 capitals and digits, one string per row
    '0': ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    '1': ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    '2': ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    '7': ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'C': ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'I': ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    ' ': ["00000"] * 7,
}


class Board:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.bits = [[0] * width for _ in range(height)]

    def text(self, s, x, y, scale=1):
        for ch in s:
            for r, row in enumerate(FONT[ch]):
                for c, bit in enumerate(row):
                    if bit == '1':
                        for dy in range(scale):
                            for dx in range(scale):
                                self.set(x + c * scale + dx, y + r * scale + dy)
            x += 6 * scale

    def set(self, c, r):
        if 0 <= c < self.width and 0 <= r < self.height:
            self.bits[r][c] = 1

    def row_line(self, r, x, w):
        out = ""
        for k in range(x // 8, (x + w - 1) // 8 + 1):
            byte = 0
            for b in range(8):
                c = 8 * k + b
                if c < self.width and self.bits[r][c]:
                    byte |= 0x80 >> b
            out += "%02X" % byte
        return out


def frame(board, index, entry, exit_, duration, x, y, w, h):
    lines = ["%02X%X%X%04X%04X%04X%04X%04X" % (index, entry, exit_, duration, x, y, w, h)]
    lines += [board.row_line(r, x, w) for r in range(y, y + h)]
    return lines


def write(name, frames):
    lines = ["%04X" % len(frames)] + [l for f in frames for l in f]
    with open("examples/" + name, "wb") as f:
        f.write("".join(l + "\r\n" for l in lines).encode("ascii"))


route = Board(96, 24)
route.text("12", 30, 2, 3)
write("route12.img", [frame(route, 0, 0, 0, 2000, 0, 0, 96, 24)])

first = Board(96, 24)
first.text("12", 2, 2, 3)
first.text("AIRPORT", 40, 8)
second = Board(96, 24)
second.text("VIA", 2, 8)
second.text("CENTRE", 28, 8)
write("airport12.img", [frame(first, 0, 0, 0, 3000, 0, 0, 96, 24),
                        frame(second, 1, 2, 1, 2000, 0, 8, 96, 8)])

depot = Board(96, 24)
depot.text("NOT IN", 30, 2)
depot.text("SERVICE", 27, 14)
write("depot.img", [frame(depot, 0, 0, 3, 1500, 0, 0, 96, 24)])
