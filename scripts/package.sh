#!/usr/bin/env bash
# Builds the Windows release from a clean build:
#   dist/orvetta-1.0p-win64.zip  one folder orvetta-1.0p/ with both programs,
#                                orvetta-lookup.exe, the example velkarad.txt,
#                                readme.txt and LICENSE.txt
#   dist/SHA256SUMS              the zip's sum: `sha256sum -c SHA256SUMS` checks
#                                a download beside it; the zip's folder holds
#                                SHA256SUMS.txt with the sum of every file in it
# Reproducible: the same commit gives the same bytes in any clone. The
# programs carry no link time stamp and no build path (CMakeLists.txt), and the
# zip takes its file times from the commit (SOURCE_DATE_EPOCH), in a fixed order.
# Usage: scripts/package.sh   (installs what is missing, like the other scripts)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
version=1.0p
name=orvetta-$version
build=build/package
rm -rf "$build" dist
mkdir -p "$build" dist

cmake -S . -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVETTA_TESTS=OFF >/dev/null
cmake --build "$build/native" --target mkdict
cmake -S . -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DORVETTA_TESTS=OFF \
  -DORVETTA_MKDICT="$PWD/$build/native/tools/mkdict" >/dev/null
cmake --build "$build/win" --target orvetta orvetta-current orvetta-lookup

stage=$build/stage/$name
mkdir -p "$stage"
cp "$build/win/ui/orvetta.exe" "$build/win/ui/orvetta-current.exe" "$build/win/cli/orvetta-lookup.exe" "$stage/"
cp update/velkarad.txt "$stage/"  # Shift-JIS with CR LF already
python3 - "$stage" <<'PY'
import pathlib, sys
stage = pathlib.Path(sys.argv[1])
crlf = lambda text: text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")
# readme.txt: UTF-8 with a byte-order mark, CR LF; LICENSE.txt: CR LF.
(stage / "readme.txt").write_bytes(b"\xef\xbb\xbf" + crlf(pathlib.Path("packaging/readme.txt").read_text("utf-8")))
(stage / "LICENSE.txt").write_bytes(crlf(pathlib.Path("LICENSE").read_text("utf-8")))
PY

# The sums of the files, inside the folder, so `sha256sum -c SHA256SUMS.txt`
# checks an unpacked copy there.
(cd "$stage" && sha256sum -- * >SHA256SUMS.txt)

# The zip: entries in name order, each with the commit's time and fixed modes.
python3 - "$build/stage" "$name" "dist/$name-win64.zip" <<'PY'
import os, pathlib, sys, time, zipfile
root, name, out = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3]
stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]  # zip times start in 1980
with zipfile.ZipFile(out, "w") as z:
    folder = zipfile.ZipInfo(name + "/", stamp)
    folder.external_attr = (0o40755 << 16) | 0x10
    folder.create_system = 3
    z.writestr(folder, b"")
    for path in sorted((root / name).iterdir()):
        info = zipfile.ZipInfo(f"{name}/{path.name}", stamp)
        info.external_attr = (0o100755 if path.suffix == ".exe" else 0o100644) << 16
        info.create_system = 3
        info.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(info, path.read_bytes(), compresslevel=9)
PY

(cd dist && sha256sum "$name-win64.zip" >SHA256SUMS)
echo "package.sh: dist/$name-win64.zip"
cat dist/SHA256SUMS "$stage/SHA256SUMS.txt"
