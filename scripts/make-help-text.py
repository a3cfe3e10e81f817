#!/usr/bin/env python3
"""Turn the help text (UTF-8) into the Shift-JIS bytes the program embeds.

    scripts/make-help-text.py SOURCE OUTPUT

The program holds every text as Shift-JIS (code page 932) and a multi-line
edit control breaks lines only at CR LF, so the output is code page 932 with
CR LF line ends. A character that code page 932 lacks stops the build, naming
its line.
"""
import pathlib
import sys


def main() -> None:
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    lines = source.read_text(encoding="utf-8").splitlines()
    encoded = []
    for number, line in enumerate(lines, 1):
        try:
            encoded.append(line.encode("cp932"))
        except UnicodeEncodeError as error:
            sys.exit(f"{source}:{number}: {line[error.start]!r} has no Shift-JIS form")
    output.parent.mkdir(parents=True, exist_ok=True)
    output.write_bytes(b"\r\n".join(encoded) + b"\r\n")


if __name__ == "__main__":
    main()
