#!/bin/bash
# The release archive: two runs of scripts/package.sh give the same bytes, its Debian
# package too; the archive
# holds the exe that was built, the chime and the user's text (byte-order mark, CRLF, the
# version) under names Explorer on a Japanese Windows shows right; the exe's version
# resource, About box and manifest carry the project's version and its headers no link
# time; the exe imports nothing that Windows XP lacks.
# Both runs reuse the already-built Release exes (build/win32, or build/win32-i686
# where the tests run an x86_64 build, and its x86_64 twin), which is what a release
# ships, so the test costs two packings, not two builds.
set -euo pipefail
: "${PELIO_SOURCE_DIR:=$(cd "$(dirname "$0")/../.." && pwd)}"
: "${PELIO_BUILD:=$PELIO_SOURCE_DIR/build}"
export PELIO_BUILD
. "$PELIO_SOURCE_DIR/scripts/windows-arch.sh"
release=$(pelio_release_build_dir "$PELIO_BUILD")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

first=$(PELIO_DIST=$scratch/first "$PELIO_SOURCE_DIR/scripts/package.sh")
second=$(PELIO_DIST=$scratch/second "$PELIO_SOURCE_DIR/scripts/package.sh")
version=$(cat "$release/release/version")
[ "$(basename -a $first | xargs)" = "PelioClock-$version-win32.zip pelioclock_$version-1_all.deb" ] || {
    echo "FAIL: names $(basename -a $first | xargs) for version $version"; exit 1; }
for made in $second; do
    cmp "$scratch/first/$(basename "$made")" "$made" || { echo "FAIL: two runs differ"; exit 1; }
done
sha256sum $first
first=${first%%$'\n'*}

# The exe must load on Windows XP: it imports none of the kernel32 functions that came
# with Vista or later and that mingw-w64's runtime is known to call.
imports=$(LC_ALL=C i686-w64-mingw32-objdump -p "$release/PelioClock.exe" |
    sed -n '/The Import Tables/,/The Export Tables\|The Resource Directory/p')
grep -qw GetLocalTime <<<"$imports" || { echo "FAIL: no import table read"; exit 1; }
newer=$(grep -owE 'GetTickCount64|GetSystemTimePreciseAsFileTime|(Initialize|Sleep|Wake|WakeAll)ConditionVariable(CS|SRW)?|(Initialize|Acquire|Release|TryAcquire)SRWLock(Exclusive|Shared)?|InitOnce[A-Za-z]+|Fls(Alloc|Free|GetValue|SetValue)|GetFileInformationByHandleEx|CreateSymbolicLink[AW]|GetThreadId|QueryFullProcessImageName[AW]' \
    <<<"$imports" | sort -u | tr '\n' ' ' || true)
[ -z "$newer" ] || { echo "FAIL: the exe imports what Windows XP lacks: $newer"; exit 1; }

python3 - "$first" "$version" "$release/PelioClock.exe" \
    "$PELIO_SOURCE_DIR/resources/pelio.wav" "$(git -C "$PELIO_SOURCE_DIR" log -1 --format=%ct)" <<'PY'
import struct, sys, time, zipfile, zlib

archive, version, exe_path, wav_path, commit_time = sys.argv[1:]
failures = []
def expect(what, expected, actual):
    if expected != actual:
        failures.append(f"{what}: expected {expected!r}, got {actual!r}")

readme = "はじめにお読みください.txt"
with zipfile.ZipFile(archive) as z:
    entries = z.infolist()
    # Without the UTF-8 flag zipfile reads names as code page 437.
    names = [e.filename.encode("cp437").decode("cp932") for e in entries]
    expect("entries", ["PelioClock.exe", "pelio.wav", readme], names)
    stamp = time.gmtime(int(commit_time) // 2 * 2)[:6]
    for entry, name in zip(entries, names):
        expect(f"{name}: UTF-8 flag", 0, entry.flag_bits & 0x800)
        expect(f"{name}: time", stamp, entry.date_time)
        expect(f"{name}: attributes", (0, 0x20), (entry.create_system, entry.external_attr))
        if not name.isascii():
            utf8 = name.encode("utf-8")
            field = struct.pack("<HHBI", 0x7075, 5 + len(utf8), 1,
                                zlib.crc32(name.encode("cp932"))) + utf8
            expect(f"{name}: Unicode Path field", field, entry.extra)
    files = {name: z.read(entry) for entry, name in zip(entries, names)}

exe = open(exe_path, "rb").read()
expect("exe is the built one", True, files.get("PelioClock.exe") == exe)
expect("chime is the shipped one", True, files.get("pelio.wav") == open(wav_path, "rb").read())

text = files.get(readme, b"")
expect("text starts with a byte-order mark", b"\xef\xbb\xbf", text[:3])
body = text[3:].decode("utf-8")
expect("bare LF in the text", 0, body.replace("\r\n", "").count("\n"))
expect("first line", f"ペリオクロック (PelioClock) バージョン {version}", body.split("\r\n")[0])

# The PE header's link time, then the fixed part of the version resource.
pe = struct.unpack_from("<I", exe, 0x3C)[0]
expect("PE signature", b"PE\0\0", exe[pe:pe + 4])
expect("PE link time", 0, struct.unpack_from("<I", exe, pe + 8)[0])
fixed = exe.find(struct.pack("<I", 0xFEEF04BD))
numbers = [int(n) for n in version.split(".")] + [0]
ms, ls, pms, pls = struct.unpack_from("<4I", exe, fixed + 8)
expect("FILEVERSION", numbers, [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF])
expect("PRODUCTVERSION", (ms, ls), (pms, pls))
for key in ("FileVersion", "ProductVersion"):
    value = (key + "\0").encode("utf-16-le")
    at = exe.find(value)
    start = at + len(value) + (-(at + len(value)) % 4)
    end = start
    while exe[end:end + 2] != b"\0\0":
        end += 2
    expect(key, version, exe[start:end].decode("utf-16-le"))

# The About box's title line, "1.0" for 1.0.0, "1.0.1" for 1.0.1.
short = ".".join(version.split(".")[:2 if version.endswith(".0") else 3])
expect("About box's version", True, f"Ｖｅｒ{short}\0".encode("utf-16-le") in exe)

manifest = exe.find(b"<assemblyIdentity")
expect("manifest's assembly version", f'version="{version}.0"'.encode(),
       exe[exe.find(b"version=", manifest):exe.find(b" ", exe.find(b"version=", manifest))])

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
PY
