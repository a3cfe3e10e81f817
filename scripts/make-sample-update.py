#!/usr/bin/env python3
"""Write the example update file update/velkarad.txt.

The program reads the file as Shift-JIS (code page 932) with CR LF line ends,
so this script keeps the text in UTF-8 and writes those bytes. It holds only
comments and one commented-out example line: read as it stands, it changes
nothing.

    scripts/make-sample-update.py [OUTPUT]
"""
import pathlib
import sys

LINES = """\
; velkarad.txt : Orvetta の地名更新ファイル
; 起動時にこのファイルを読み込み、地名の変更・登録を行ないます。
; ファイルは書き換えられません。文字コードは Shift-JIS、改行は CR LF です。
;
; 1 行に 1 地名を、次の 4 項目を半角カンマ(,)で区切って書きます。
;   番号,地名,読み,現存
; 番号   JCC/JCG 番号(半角 6 文字以内)。先頭 2 文字は都道府県コード 01 から 47
;        市は 4 桁、区は 6 桁、郡は 5 桁、町・村は郡の番号に英大文字 1 文字
; 地名   全角 8 文字(16 バイト)以内。最後の文字が 市・郡・区・町・村 のどれか
;        で、それが種別になります
; 読み   ひらがなで全角 14 文字(28 バイト)以内。空でもかまいません
; 現存   1 は現存する地名、0 は合併などでなくなった地名
;
; 辞書にある番号を書くとその地名を置き換え、ない番号は新しく登録します。
; 新しい地名は同じ都道府県の中に入ります(市は市の並びの最後)。
; 項目の前後に空白を入れないでください。空白も番号や地名の一部になります。
; 1 行でも誤りがあると、どの行も使わずにそのまま起動します。
; そのときは、最初の誤りの行と理由をエラーの中に表示します。
; データ行は 100 行まで、1 行は改行を除いて 248 バイトまでです。
; ファイルの大きさは 1 MiB(1048576 バイト)までです。
; 行頭が ; の行と空行は読み飛ばします。
;
; 例(行頭の ; を消すと北斗市を登録します):
;0136,北斗市,ほくとし,1
"""


def main() -> None:
    root = pathlib.Path(__file__).resolve().parent.parent
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / "update" / "velkarad.txt"
    data = b"".join(line.encode("cp932") + b"\r\n" for line in LINES.splitlines())
    for number, line in enumerate(data.split(b"\r\n"), 1):
        if len(line) + 1 > 249:  # the CR counts too
            sys.exit(f"line {number} is too long for the reader")
    out.write_bytes(data)


if __name__ == "__main__":
    main()
