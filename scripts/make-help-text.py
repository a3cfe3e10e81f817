#!/usr/bin/env python3
"""Turn the help texts (UTF-8) into the Shift-JIS bytes the program embeds.

    scripts/make-help-text.py SOURCE OUTPUT [SOURCE OUTPUT]...

The program holds every text as Shift-JIS (code page 932) and a multi-line
edit control breaks lines only at CR LF, so each output is code page 932 with
CR LF line ends. A character that code page 932 lacks stops the build, naming
its line. With several texts (the help of each face), each must have as many
sections (lines starting with ■) as the first, so no face lacks one.
"""
import pathlib
import sys

SECTION = "\u25a0"  # ■


def convert(source: pathlib.Path, output: pathlib.Path) -> int:
    lines = source.read_text(encoding="utf-8").splitlines()
    encoded = []
    for number, line in enumerate(lines, 1):
        try:
            encoded.append(line.encode("cp932"))
        except UnicodeEncodeError as error:
            sys.exit(f"{source}:{number}: {line[error.start]!r} has no Shift-JIS form")
    output.parent.mkdir(parents=True, exist_ok=True)
    output.write_bytes(b"\r\n".join(encoded) + b"\r\n")
    return sum(1 for line in lines if line.startswith(SECTION))


def main() -> None:
    paths = [pathlib.Path(p) for p in sys.argv[1:]]
    if not paths or len(paths) % 2:
        sys.exit(__doc__)
    sections = [convert(paths[i], paths[i + 1]) for i in range(0, len(paths), 2)]
    for i, count in enumerate(sections[1:], 1):
        if count != sections[0]:
            sys.exit(f"{paths[2 * i]}: {count} sections, but {paths[0]} has {sections[0]}")


if __name__ == "__main__":
    main()
