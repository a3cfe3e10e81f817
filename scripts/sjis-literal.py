#!/usr/bin/env python3
"""Print a C++ string literal holding the Shift-JIS (code page 932) bytes of each argument.

    scripts/sjis-literal.py 'Orvetta：メモリエラー'

ASCII stays readable; other bytes become \\x escapes. A hex digit right after an
escape is escaped too (an escape would swallow it), so the text stays one
literal.
"""
import string
import sys


def literal_of_bytes(data: bytes) -> str:
    """The literal of Shift-JIS bytes; make-text-table.py uses it too."""
    out, escaped = [], False
    for b in data:
        c = chr(b)
        if 0x20 <= b < 0x7F and c not in '"\\':
            if escaped and c in string.hexdigits:
                out.append("\\x%02x" % b)
                continue
            out.append(c)
            escaped = False
        elif c == "\n":
            out.append("\\n")
            escaped = False
        elif c == "\t":
            out.append("\\t")
            escaped = False
        else:
            out.append("\\x%02x" % b)
            escaped = True
    return '"' + "".join(out) + '"'


def literal(text: str) -> str:
    return literal_of_bytes(text.encode("cp932"))


if __name__ == "__main__":
    for arg in sys.argv[1:]:
        print(f"{literal(arg.replace(chr(92) + 'n', chr(10)))}  // {arg}")
