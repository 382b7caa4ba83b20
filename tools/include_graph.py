#!/usr/bin/env python3
"""The include graph of Kelvor's folders, lowest layer first, and whether any edge runs upwards.

Each line is one folder and the folders it includes headers from, with the number of includes:
    radio/ui -> editor (12), uilib (20), radio (40), utlib (31)
A folder may include from its own layer and any lower one. With --check the exit status is 1 when
an include runs up the layers, or Qt is included below its library (each is printed). Run from the project root.
"""
import os
import re
import sys

# Lowest first; folders in one tuple share a layer.
LAYERS = [("utlib",), ("radio", "antenna"), ("uilib",), ("editor",),
          ("curves", "radio/ui", "antenna/ui"), ("app",)]
# kelvor-cli stands beside the program: the headless layers only.
SIDE = {"cli": 1}
SKIP = {"tests", "bench", "examples", "tools", "docs"}
EXTENSIONS = (".h", ".hpp", ".cpp", ".cc")


def folder_of(path):
    parts = path.split("/")
    if len(parts) > 2 and parts[1] == "ui":
        return parts[0] + "/ui"
    return parts[0]


def layer_of(folder):
    for index, layer in enumerate(LAYERS):
        if folder in layer:
            return index
    return SIDE.get(folder)


def main():
    files = []
    for top, dirs, names in os.walk("."):
        rel = os.path.relpath(top, ".")
        if rel == ".":
            dirs[:] = [d for d in dirs if d not in SKIP and not d.startswith((".", "build"))]
            continue
        files += [os.path.join(rel, n) for n in names if n.endswith(EXTENSIONS)]
    by_name = {}
    for path in files:
        by_name.setdefault(os.path.basename(path), []).append(path)
    include = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
    qt_include = re.compile(r'^\s*#\s*include\s*<Q')
    edges = {}
    upward = []
    for path in sorted(files):
        source = folder_of(path)
        with open(path, encoding="utf-8", errors="replace") as text:
            for number, line in enumerate(text, 1):
                if qt_include.match(line) and (layer_of(source) or 0) < layer_of("uilib"):
                    upward.append(f"{path}:{number}: {source} includes Qt")
                match = include.match(line)
                if not match:
                    continue
                targets = by_name.get(os.path.basename(match.group(1)), [])
                if not targets:
                    continue
                # A name found in the file's own folder is that file.
                own = [t for t in targets if folder_of(t) == source]
                target = folder_of((own or targets)[0])
                if target == source:
                    continue
                edges.setdefault(source, {}).setdefault(target, 0)
                edges[source][target] += 1
                low, high = layer_of(target), layer_of(source)
                if low is None or high is None or low > high:
                    upward.append(f"{path}:{number}: {source} includes {match.group(1)} of {target}")
    order = [f for layer in LAYERS for f in layer] + list(SIDE)
    for folder in order:
        if folder in edges:
            targets = sorted(edges[folder].items(), key=lambda e: -(layer_of(e[0]) or 0))
            print(f"{folder} -> " + ", ".join(f"{t} ({n})" for t, n in targets))
        else:
            print(folder)
    if "--check" in sys.argv and upward:
        print("\nincludes that run up the layers:")
        print("\n".join(upward))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
