#!/usr/bin/env python3
"""Writes the seed inputs that are derived from the sample images: the DATA
messages the editor would send for them and the replies a board gives.
Run from the repository root after the samples change."""
import os

ROOT = "tests/fuzz/corpus"
samples = sorted(f for f in os.listdir("examples") if f.endswith(".img"))
texts = {f: open(os.path.join("examples", f), "rb").read() for f in samples}


def hex_text(text):
    return b"".join(text.splitlines())


def data_message(hexes):
    block = bytes([len(hexes)])
    for h in hexes:
        data = bytes.fromhex(h.decode())
        block += len(data).to_bytes(2, "big") + data
    head = b"\r\nDATA=%04X,%04X\r\n" % (len(block), sum(block) & 0xFFFF)
    return head + block


def write(folder, name, data):
    with open(os.path.join(ROOT, folder, name), "wb") as out:
        out.write(data)


# The send list as the message builder's fuzzer reads it: files split by NUL.
write("data_message", "one-file", texts[samples[0]])
write("data_message", "all-samples", b"\0".join(texts[f] for f in samples))

hexes = [hex_text(texts[f]) for f in samples]
write("board_parser", "read", b"\r\nREAD=\r\n")
write("board_parser", "data-one", data_message(hexes[:1]))
write("board_parser", "data-all", data_message(hexes))
write("board_parser", "read-then-data", b"\r\nREAD=\r\n" + data_message(hexes[1:2]))
write("board_parser", "file-bytes", bytes.fromhex(hexes[0].decode()))

for reply in (b"OK\r\n", b"CS\r\n", b"LN\r\n"):
    write("reply_matcher", reply[:2].decode().lower(), reply)
write("reply_matcher", "garbage-then-ok", b"\r\nOK\r\n\xffOK\r\n")
