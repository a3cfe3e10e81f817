#!/usr/bin/env python3
"""Write two synthetic ham logs for trying and timing the award check.

    scripts/make-sample-logs.py [OUTDIR] [--contacts N]

OUTDIR/sample.adi is an ADIF log of N contacts (100,000 by default, about
25 MB); OUTDIR/sample.csv is a HAMLOG CSV export (Shift-JIS, CR LF) of the
same contacts. The output is the same on every run: contacts come from a
fixed random seed, their numbers from dict/current/places.tsv, and their days
from dict/current/history.tsv, so that most contacts fall on a day their
number counted. About one contact in ten is with a foreign station and one
in fifty has no number. No real log is involved.
"""
import argparse
import bisect
import datetime
import pathlib
import random

ROOT = pathlib.Path(__file__).resolve().parent.parent
CURRENT = ROOT / "dict" / "current"

# ADIF band, a frequency in it (MHz) and the figure HAMLOG writes for it.
BANDS = [
    ("160m", "1.910", "1.9"),
    ("80m", "3.535", "3.5"),
    ("40m", "7.025", "7"),
    ("30m", "10.120", "10"),
    ("20m", "14.050", "14"),
    ("17m", "18.080", "18"),
    ("15m", "21.050", "21"),
    ("12m", "24.900", "24"),
    ("10m", "28.050", "28"),
    ("6m", "50.100", "50"),
    ("2m", "144.100", "144"),
    ("70cm", "433.000", "430"),
    ("23cm", "1295.000", "1200"),
]
MODES = [("CW", "599"), ("SSB", "59"), ("FT8", "-10"), ("FM", "59"), ("RTTY", "599")]
FOREIGN = [("W", 291), ("K", 291), ("VK", 150), ("DL", 230), ("BV", 386), ("HL", 137)]
NAMES = ["山田", "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "中村"]
FIRST_DAY = datetime.date(1990, 1, 1)
LAST_DAY = datetime.date(2024, 5, 26)
HISTORY_START = datetime.date(1998, 4, 1)


def read_tsv(path):
    lines = path.read_text(encoding="utf-8").splitlines()
    header = lines[0].split("\t")
    return [dict(zip(header, line.split("\t"))) for line in lines[1:] if line]


def load_places():
    """Each place as (number, kanji, first possible day, last possible day)."""
    created, ended = {}, {}
    for change in read_tsv(CURRENT / "history.tsv"):
        day = datetime.date.fromisoformat(change["date"])
        if change["change"] == "created":
            created[change["number"]] = day
        elif change["change"] == "ended":
            ended[change["number"]] = day - datetime.timedelta(days=1)
    places = []
    for place in read_tsv(CURRENT / "places.tsv"):
        number = place["number"]
        first = created.get(number, FIRST_DAY)
        last = ended.get(number, LAST_DAY if place["current"] == "1" else HISTORY_START)
        if first <= last:
            places.append((number, place["kanji"], max(first, FIRST_DAY), last))
    return places


def random_day(rng, first, last):
    return first + datetime.timedelta(days=rng.randrange((last - first).days + 1))


def japanese_call(rng):
    letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    prefix = "J" + rng.choice("AEFGHIJKLMNOPQRS") if rng.random() < 0.9 else rng.choice("78") + rng.choice("JKLMN")
    return prefix + str(rng.randrange(10)) + "".join(rng.choice(letters) for _ in range(3))


def make_contacts(count):
    rng = random.Random(19980401)
    places = load_places()
    contacts = []
    for _ in range(count):
        band, freq, figure = rng.choice(BANDS)
        mode, report = rng.choice(MODES)
        contact = {"band": band, "freq": freq, "figure": figure, "mode": mode, "report": report,
                   "time": "%02d%02d" % (rng.randrange(24), rng.randrange(60)),
                   "confirmed": rng.random() < 0.3, "lotw": rng.random() < 0.2,
                   "name": rng.choice(NAMES)}
        if rng.random() < 0.1:
            prefix, dxcc = rng.choice(FOREIGN)
            contact.update(call=prefix + str(rng.randrange(10)) + "ABC", dxcc=dxcc, number="", kanji="",
                           day=random_day(rng, FIRST_DAY, LAST_DAY), code="%03dA" % (dxcc % 1000))
        else:
            number, kanji, first, last = rng.choice(places)
            if rng.random() < 0.02:
                number, kanji = "", ""
            contact.update(call=japanese_call(rng), dxcc=339, number=number, kanji=kanji,
                           day=random_day(rng, first, last), code=number)
        contacts.append(contact)
    contacts.sort(key=lambda c: (c["day"], c["time"]))
    return contacts


def adif_field(name, value):
    data = value.encode("utf-8")
    return "<%s:%d>" % (name, len(data)) + value


def write_adif(path, contacts):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("Synthetic log written by scripts/make-sample-logs.py\n")
        out.write(adif_field("ADIF_VER", "3.1.4") + " " + adif_field("PROGRAMID", "make-sample-logs") + "\n<EOH>\n")
        for c in contacts:
            fields = [
                adif_field("CALL", c["call"]), adif_field("QSO_DATE", c["day"].strftime("%Y%m%d")),
                adif_field("TIME_ON", c["time"] + "00"), adif_field("BAND", c["band"]),
                adif_field("FREQ", c["freq"]), adif_field("MODE", c["mode"]),
                adif_field("RST_SENT", c["report"]), adif_field("RST_RCVD", c["report"]),
                adif_field("DXCC", str(c["dxcc"])),
            ]
            if c["number"]:
                fields += [adif_field("CNTY", c["number"]), adif_field("STATE", c["number"][:2])]
            fields += [
                adif_field("NAME", c["name"]), adif_field("QTH", c["kanji"] or "-"),
                adif_field("QSL_RCVD", "Y" if c["confirmed"] else "N"),
                adif_field("LOTW_QSL_RCVD", "Y" if c["lotw"] else "N"),
                adif_field("COMMENT", "synthetic contact"),
            ]
            out.write(" ".join(fields) + " <EOR>\n")


def write_csv(path, contacts):
    with open(path, "w", encoding="cp932", newline="") as out:
        for c in contacts:
            # Call, Date, Time, His, My, Freq, Mode, Code, GL, QSL, Name, QTH, Rmks1, Rmks2, one more
            row = [c["call"], c["day"].strftime("%y/%m/%d"), c["time"][:2] + ":" + c["time"][2:] + "U",
                   c["report"], c["report"], c["figure"], c["mode"], c["code"], "", "J", c["name"], c["kanji"],
                   "synthetic", "", "0"]
            out.write(",".join('"%s"' % field for field in row) + "\r\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("outdir", nargs="?", default=".")
    parser.add_argument("--contacts", type=int, default=100_000)
    args = parser.parse_args()
    outdir = pathlib.Path(args.outdir)
    outdir.mkdir(parents=True, exist_ok=True)
    contacts = make_contacts(args.contacts)
    write_adif(outdir / "sample.adi", contacts)
    write_csv(outdir / "sample.csv", contacts)


if __name__ == "__main__":
    main()
