#!/usr/bin/env python3
"""The documentation a person reads holds together: every link and picture in README.md
and docs/ resolves (files, folders and #anchors to headings), every picture in docs/images
is shown somewhere, the face pictures still show what the artwork and the clock's
hand drawing make of their moment, and the names a reader looks up are there: every key
of the settings file, every e2e helper a scenario calls and every driver command.

    check_docs.py <source-dir> <face_check>

The faces are checked here, natively and in well under a second, instead of running
scripts/make-screenshots.sh in the test: the script's window pictures need Wine and a
minute, and what they show (Wine's rendering, the prefix's fonts) is not ours to pin.
The faces are ours: a change to the artwork or to the hands makes this test fail until
the script is run again.
"""
import os
import re
import subprocess
import sys
import tempfile

LINK = re.compile(r"!?\[[^\]]*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")
HTML_SRC = re.compile(r"<img\s[^>]*src=\"([^\"]+)\"")
FENCE = re.compile(r"^(```|~~~)")
INLINE_CODE = re.compile(r"`[^`]*`")


def markdown_files(root):
    yield os.path.join(root, "README.md")
    for folder, _, files in os.walk(os.path.join(root, "docs")):
        for name in sorted(files):
            if name.endswith(".md"):
                yield os.path.join(folder, name)


def prose_lines(path):
    """The lines of a Markdown file outside code blocks, with inline code removed."""
    in_fence = False
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if FENCE.match(line.strip()):
                in_fence = not in_fence
                continue
            if not in_fence:
                yield number, INLINE_CODE.sub("", line)


def anchors(path):
    """The anchors a Markdown viewer gives the file's headings."""
    found = set()
    for _, line in prose_lines(path):
        m = re.match(r"^#{1,6}\s+(.*?)\s*#*\s*$", line)
        if m:
            slug = re.sub(r"[^\w\- ]", "", m.group(1).strip().lower()).replace(" ", "-")
            base, n = slug, 1
            while slug in found:
                slug = f"{base}-{n}"
                n += 1
            found.add(slug)
    return found


def check_links(root, problems, shown):
    for path in markdown_files(root):
        here = os.path.dirname(path)
        name = os.path.relpath(path, root)
        for number, line in prose_lines(path):
            for target in LINK.findall(line) + HTML_SRC.findall(line):
                if re.match(r"^[a-z][a-z0-9+.-]*:", target):
                    continue  # a web address or mailto: not checked offline
                file_part, _, anchor = target.partition("#")
                resolved = os.path.normpath(os.path.join(here, file_part)) if file_part else path
                where = f"{name}:{number}: {target}"
                if not os.path.exists(resolved):
                    problems.append(f"{where}: no such file")
                    continue
                shown.add(resolved)
                if anchor and resolved.endswith(".md") and anchor not in anchors(resolved):
                    problems.append(f"{where}: no heading with that anchor")


def check_faces(root, face_check, problems):
    images = os.path.join(root, "docs", "images")
    with open(os.path.join(images, "faces.txt"), encoding="utf-8") as f:
        faces = [line.split()[:4] for line in f if line.strip() and not line.startswith("#")]
    with tempfile.TemporaryDirectory() as scratch:
        for name, time, alarm, readout in faces:
            picture = os.path.join(images, name)
            if not os.path.exists(picture):
                problems.append(f"docs/images/{name}: listed in faces.txt but missing")
                continue
            # The see-through corners become a plain desktop colour, which face_check
            # expects outside the window's shape.
            shot = os.path.join(scratch, "face.ppm")
            subprocess.run(["convert", picture, "-background", "#3a6ea5", "-flatten",
                            "-depth", "8", shot], check=True)
            result = subprocess.run(
                [face_check, os.path.join(root, "resources"), "32", shot, "0", "0", alarm,
                 "no" if readout == "none" else "yes", time],
                capture_output=True, text=True)
            if result.returncode != 0 or (readout != "none" and readout not in result.stdout.split()):
                problems.append(f"docs/images/{name} is not the face of {time} today "
                                f"(run scripts/make-screenshots.sh --faces):\n{result.stdout}")


def read(root, name):
    with open(os.path.join(root, name), encoding="utf-8") as f:
        return f.read()


def check_names(root, problems):
    """Names the code defines that a page must give, each in backticks."""
    keys = re.findall(r'Key\[\] = "(\w+)"', read(root, "alarms/settings_file.h"))
    used = "".join(read(root, os.path.join(folder, name))
                   for top in ("tests/e2e/scenarios", "tests/soak", "bench")
                   for folder, _, files in os.walk(os.path.join(root, top))
                   for name in files if name.endswith((".sh", ".bash")))
    helpers = [h for h in re.findall(r"^(e2e_\w+)\(\)", read(root, "tests/e2e/lib.sh"), re.M)
               if re.search(rf"\b{h}\b", used)]
    commands = re.findall(r'^\s*\{"([\w-]+)", \d+, "', read(root, "tests/e2e/driver/driver.cpp"), re.M)
    for page, names in (("docs/settings-file.md", keys + ["ALM00"]),
                        ("tests/e2e/README.md", helpers + commands)):
        text = read(root, page)
        problems += [f"{page}: `{n}` is not described" for n in names
                     if not re.search(rf"`{re.escape(n)}[ `]", text)]


def main():
    root, face_check = sys.argv[1], sys.argv[2]
    problems, shown = [], set()
    check_links(root, problems, shown)
    images = os.path.join(root, "docs", "images")
    for name in sorted(os.listdir(images)):
        if name.endswith(".png") and os.path.join(images, name) not in shown:
            problems.append(f"docs/images/{name} is shown by no document")
    check_faces(root, face_check, problems)
    check_names(root, problems)
    for problem in problems:
        print(problem)
    print(f"docs: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
