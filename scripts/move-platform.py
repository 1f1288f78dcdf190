#!/usr/bin/env python3
"""Sorts platform/ into its role folders and rewrites what names the moved files.

Usage: scripts/move-platform.py [--dry-run]

For every unit in MOVES below it moves platform/<Name>.{h,cpp} to platform/<folder>/ with
`git mv` (history kept), then rewrites, across every file git tracks:
  - #include "platform/<Name>.h"  ->  #include "platform/<folder>/<Name>.h"
  - other mentions of platform/<Name>.h, .cpp or .* (documentation, scripts, CMake lists)
  - the bare file names in platform/CMakeLists.txt's source lists  ->  <folder>/<Name>.<ext>
A file that is already in its folder is left alone, and a rewritten name is never rewritten
again, so running it a second time changes nothing. Run it again after a branch adds includes
of the old paths. Files whose include order changed are run through clang-format.
"""

import os
import re
import subprocess
import sys

MOVES = {
    "core": ["Types", "Messages", "Clock", "Debug", "File", "Module", "TerminationSignals",
             "Resources"],
    "remote": ["PublishedWindow", "RemoteProtocol", "RemoteWindow"],
    "graphics": ["QtGeometry", "DC", "TextImageCache", "DrawingRecorder", "Palette",
                 "ViewScale", "Screen"],
    "services": ["ProfileStore", "Strings", "MessageBox", "Sound"],
    "framework": ["Window", "CommandTarget", "RuntimeClass", "Application", "SingleDocTemplate",
                  "Document", "View", "ViewAccessible", "Frame", "CommandBar", "FrameCommandBar",
                  "HelpWindow"],
    "dialogs": ["Dialog", "DialogBuilder", "DialogFrame", "DialogUnits", "Controls",
                "DataExchange", "UpDownControl"],
    "desktop": ["ListPanel"],
}

FOLDER_OF = {name: folder for folder, names in MOVES.items() for name in names}
NAMES = "|".join(sorted(FOLDER_OF, key=len, reverse=True))
# platform/<Name>.<ext> not already inside a folder; the name must end there (DialogBuilder is
# not Dialog).
PATH_RE = re.compile(r"\bplatform/(" + NAMES + r")\.(h|cpp|\*)(?!\w)")
# A bare source name in platform/CMakeLists.txt, not preceded by a folder.
BARE_RE = re.compile(r"(?<![/\w])(" + NAMES + r")\.(h|cpp)\b")
TEXT_EXT = (".h", ".cpp", ".txt", ".cmake", ".md", ".sh", ".py", ".in", ".yml", ".yaml")


def git(*args, capture=False):
    result = subprocess.run(["git", *args], check=True, text=True,
                            capture_output=capture)
    return result.stdout if capture else None


def main():
    dry = "--dry-run" in sys.argv[1:]
    root = git("rev-parse", "--show-toplevel", capture=True).strip()
    os.chdir(root)

    for name, folder in sorted(FOLDER_OF.items()):
        for ext in ("h", "cpp"):
            old = f"platform/{name}.{ext}"
            new = f"platform/{folder}/{name}.{ext}"
            if os.path.exists(old) and not os.path.exists(new):
                print(f"move {old} -> {new}")
                if not dry:
                    os.makedirs(os.path.dirname(new), exist_ok=True)
                    git("mv", old, new)

    def rewrite_path(match):
        return f"platform/{FOLDER_OF[match.group(1)]}/{match.group(1)}.{match.group(2)}"

    def rewrite_bare(match):
        return f"{FOLDER_OF[match.group(1)]}/{match.group(1)}.{match.group(2)}"

    changed_cpp = []
    files = git("ls-files", "-z", capture=True).split("\0")
    for path in files:
        if not path or not path.endswith(TEXT_EXT) or not os.path.isfile(path):
            continue
        if path.startswith("scripts/move-platform"):
            continue
        with open(path, encoding="utf-8", errors="surrogateescape") as f:
            text = f.read()
        new_text = PATH_RE.sub(rewrite_path, text)
        if path == "platform/CMakeLists.txt":
            lines = []
            for line in new_text.split("\n"):
                # Source lists only: comments keep the names of the units they describe.
                if not line.lstrip().startswith("#"):
                    line = BARE_RE.sub(rewrite_bare, line)
                lines.append(line)
            new_text = "\n".join(lines)
        if new_text != text:
            print(f"rewrite {path}")
            if not dry:
                with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
                    f.write(new_text)
            if path.endswith((".h", ".cpp")):
                changed_cpp.append(path)

    # The include blocks are sorted by path; a new folder can change their order.
    if changed_cpp and not dry:
        clang_format = os.environ.get("CLANG_FORMAT", "clang-format-14")
        subprocess.run([clang_format, "-i", *changed_cpp], check=True)


if __name__ == "__main__":
    main()
