#!/usr/bin/env python3
"""Build the Shift-JIS tables the folded search works from.

    scripts/make-fold-tables.py VARIANTS ROMAJI OUTPUT

VARIANTS is search/variants.txt, ROMAJI is search/romaji.tsv (both UTF-8);
OUTPUT is a C++ source defining kFoldRows and kRomajiRows (search/fold_tables.h).

A fold row maps one Shift-JIS character to the bytes it compares as:
- full-width ASCII and the full-width space become ASCII, half-width
  katakana become full-width (a base with its voiced or semi-voiced mark
  becomes one character), compatibility ideographs become their unified form;
- ASCII capitals become small letters;
- katakana become hiragana, and ヵ and ヶ become け;
- a variant kanji becomes the first character of its group;
- a character with two codes in code page 932 (the NEC and IBM rows) takes
  the one Python encodes it to.
A half-width base with its mark is keyed base << 8 | mark, which no
double-byte code can be, since no lead byte lies in 0xA1..0xDF.
"""
import pathlib
import sys
import unicodedata

# Folds whose targets NFKC gives in no Shift-JIS form: the marks alone take
# their spacing forms.
SPACING_MARKS = {"\uff9e": "\u309b", "\uff9f": "\u309c"}  # ﾞ -> ゛, ﾟ -> ゜
# Small katakana without a hiragana twin in code page 932, read け in names.
KE_FORMS = {"\u30f5": "\u3051", "\u30f6": "\u3051"}  # ヵ, ヶ -> け


def encodable(text: str) -> bool:
    try:
        text.encode("cp932")
        return True
    except UnicodeEncodeError:
        return False


def width(ch: str) -> str:
    code = ord(ch)
    if code == 0x3000 or 0xFF01 <= code <= 0xFF9F or 0xF900 <= code <= 0xFAFF:
        if ch in SPACING_MARKS:
            return SPACING_MARKS[ch]
        folded = unicodedata.normalize("NFKC", ch)
        if encodable(folded):
            return folded
    return ch


def kana(ch: str) -> str:
    if ch in KE_FORMS:
        return KE_FORMS[ch]
    code = ord(ch)
    if 0x30A1 <= code <= 0x30F6 or code in (0x30FD, 0x30FE):
        hiragana = chr(code - 0x60)
        if encodable(hiragana):
            return hiragana
    return ch


def read_variants(path: pathlib.Path) -> dict:
    variants = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        group = line.split("#", 1)[0].strip()
        if not group:
            continue
        if "\t" not in line or len(group) < 2:
            sys.exit(f"{path}:{number}: a group of two or more characters, a tab and a comment")
        for ch in group:
            if not encodable(ch):
                sys.exit(f"{path}:{number}: {ch!r} has no Shift-JIS form")
            if ch in variants:
                sys.exit(f"{path}:{number}: {ch!r} stands in two groups")
            variants[ch] = group[0]
    return variants


def fold_text(text: str, variants: dict) -> str:
    out = []
    for ch in text:
        ch = width(ch)
        ch = ch.lower() if "A" <= ch <= "Z" else ch
        ch = kana(ch)
        out.append(variants.get(ch, ch))
    return "".join(out)


def code_of(data: bytes) -> int:
    return int.from_bytes(data, "big")


def all_characters():
    """Every code of code page 932 with its character: single bytes, then pairs."""
    for b in range(0x100):
        try:
            yield bytes([b]), bytes([b]).decode("cp932")
        except UnicodeDecodeError:
            pass
    for lead in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):
        for trail in range(0x40, 0xFD):
            if trail == 0x7F:
                continue
            data = bytes([lead, trail])
            try:
                yield data, data.decode("cp932")
            except UnicodeDecodeError:
                pass
    # Half-width base + voiced or semi-voiced mark, where the pair is one kana.
    for base in range(0xA6, 0xDE):
        for mark in (0xDE, 0xDF):
            data = bytes([base, mark])
            text = unicodedata.normalize("NFKC", data.decode("cp932"))
            if len(text) == 1 and encodable(text):
                yield data, text


def literal(data: bytes) -> str:
    return '"' + "".join(f"\\x{b:02x}" for b in data) + '"'


def shown(text: str) -> str:
    return "".join(ch if ch.isprintable() and ch not in " \\" else f"U+{ord(ch):04X}" for ch in text)


def fold_rows(variants: dict) -> list:
    rows = []
    for data, text in all_characters():
        folded = fold_text(text, variants).encode("cp932")
        if folded != data:
            rows.append((code_of(data), folded, f"{shown(data.decode('cp932'))} -> {shown(folded.decode('cp932'))}"))
    return sorted(rows)


def romaji_rows(path: pathlib.Path, variants: dict) -> list:
    rows = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        columns = line.split("\t")
        if len(columns) != 3 or not columns[2].startswith("#"):
            sys.exit(f"{path}:{number}: kana, a tab, romaji, a tab and a comment")
        kanas, spellings = columns[0].split(), columns[1].split()
        if not spellings and len(kanas) == 1:
            spellings = [""]
        if len(kanas) != len(spellings):
            sys.exit(f"{path}:{number}: {len(kanas)} kana but {len(spellings)} spellings")
        for kana_text, spelling in zip(kanas, spellings):
            if fold_text(kana_text, variants) != kana_text or len(kana_text) > 2:
                sys.exit(f"{path}:{number}: {kana_text} is not one or two folded kana")
            code = 0
            for ch in kana_text:
                code = code << 16 | code_of(ch.encode("cp932"))
            rows.append((code, spelling, kana_text))
    rows.sort()
    for a, b in zip(rows, rows[1:]):
        if a[0] == b[0]:
            sys.exit(f"{path}: {a[2]} is given twice")
    return rows


def main() -> None:
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    variants_path, romaji_path, output = map(pathlib.Path, sys.argv[1:])
    variants = read_variants(variants_path)
    lines = [
        f"// Generated by scripts/make-fold-tables.py from {variants_path.name} and {romaji_path.name}.",
        '#include "search/fold_tables.h"',
        "",
        "namespace orvetta {",
        "",
        "const FoldRow kFoldRows[] = {",
    ]
    folds = fold_rows(variants)
    lines += [f"    {{0x{code:04x}, {literal(folded)}}},  // {comment}" for code, folded, comment in folds]
    lines += ["};", f"const int kFoldRowCount = {len(folds)};", "", "const RomajiRow kRomajiRows[] = {"]
    romaji = romaji_rows(romaji_path, variants)
    lines += [f'    {{0x{code:08x}, "{spelling}"}},  // {kana_text}' for code, spelling, kana_text in romaji]
    lines += ["};", f"const int kRomajiRowCount = {len(romaji)};", "", "}  // namespace orvetta", ""]
    output.parent.mkdir(parents=True, exist_ok=True)
    output.write_text("\n".join(lines), encoding="utf-8")


if __name__ == "__main__":
    main()
