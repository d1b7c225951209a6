#!/usr/bin/env python3
"""Writes VantoMSN.chm, the help of the suite's Windows Live Messenger integration: a compiled
HTML help file (ITSF container) with one uncompressed directory chunk and its pages stored
uncompressed in content section 0. Run it again after changing the pages:
    python3 make_chm.py VantoMSN.chm
"""
import struct
import sys
import uuid

TITLE = "VANTO for Windows Live Messenger"
PAGE = """<html><head><title>VANTO for Windows Live Messenger</title></head><body>
<h1>VANTO for Windows Live Messenger</h1>
<p>To translate the messages you send, open the VANTO activity in a conversation window, choose the
translation direction and type your message in the Outgoing Message group.</p>
<p>The messages you receive are translated in the Incoming Message group.</p>
</body></html>
"""


def encint(value):
    """The container's variable-length number: 7 bits a byte, most significant first."""
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def guid(text):
    return uuid.UUID(text).bytes_le


def system_file():
    records = b""
    for code, text in ((2, "index.htm"), (3, TITLE)):
        data = text.encode("ascii") + b"\0"
        records += struct.pack("<HH", code, len(data)) + data
    return struct.pack("<I", 3) + records


def name_list():
    names = ["Uncompressed"]
    words = [0, len(names)]
    for name in names:
        words += [len(name)] + [ord(c) for c in name] + [0]
    words[0] = len(words)
    return struct.pack("<%dH" % len(words), *words)


def main(target):
    files = [("/#SYSTEM", system_file()), ("/index.htm", PAGE.replace("\n", "\r\n").encode("ascii")),
             ("::DataSpace/NameList", name_list())]
    content = b""
    entries = [("/", 0, 0, 0)]
    for name, data in files:
        entries.append((name, 0, len(content), len(data)))
        content += data
    entries.sort(key=lambda e: e[0].lower())

    chunk_size = 0x1000
    listing = b"".join(encint(len(n.encode("utf-8"))) + n.encode("utf-8") + encint(s) + encint(o) + encint(l)
                       for n, s, o, l in entries)
    free = chunk_size - 0x14 - len(listing)
    chunk = b"PMGL" + struct.pack("<Iiii", free, 0, -1, -1) + listing
    chunk += b"\0" * (chunk_size - len(chunk) - 2) + struct.pack("<H", len(entries))

    directory = b"ITSP" + struct.pack("<IIIIIIiIIiII", 1, 0x54, 0x0A, chunk_size, 2, 1, -1, 0, 0, -1, 1, 0x0409)
    directory += guid("5D02926A-212E-11D0-9DF9-00A0C922E6EC") + struct.pack("<Iiii", 0x54, -1, -1, -1)
    directory += chunk

    header_length = 0x60
    section0_offset = header_length
    directory_offset = section0_offset + 0x18
    content_offset = directory_offset + len(directory)
    total = content_offset + len(content)
    header = b"ITSF" + struct.pack("<IIII", 3, header_length, 1, 0) + struct.pack("<I", 0x0409)
    header += guid("7C01FD10-7BAA-11D0-9E0C-00A0C922E6EC") + guid("7C01FD11-7BAA-11D0-9E0C-00A0C922E6EC")
    header += struct.pack("<QQQQQ", section0_offset, 0x18, directory_offset, len(directory), content_offset)
    section0 = struct.pack("<IIQII", 0x01FE, 0, total, 0, 0)
    with open(target, "wb") as out:
        out.write(header + section0 + directory + content)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "VantoMSN.chm")
