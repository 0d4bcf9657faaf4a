#!/usr/bin/env python3
"""Fails when the folders of a source tree include each other in a circle.

The graph is read from the `#include "ROOT/FOLDER/..."` lines of every source file under ROOT:
a file in ROOT/a/ that includes "ROOT/b/x.h" makes the edge a -> b. Every circle is named with
one file and line for each of its edges, so the include to move is plain.

    tools/include_circles.py core          # exit 0: no circle; 1: circles, named on stdout
    tools/include_circles.py gui --prefix gui
    tools/include_circles.py --self-test   # the check finds a circle it was given
"""

import argparse
import os
import re
import sys
import tempfile

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".cxx")
ROOT_FOLDER = "."  # files directly in ROOT


def folder_of(relative_path):
    parts = relative_path.replace(os.sep, "/").split("/")
    return parts[0] if len(parts) > 1 else ROOT_FOLDER


def read_edges(root, prefix):
    """Maps (from, to) folder pairs to the first (file, line) that makes the edge."""
    include = re.compile(r'^\s*#\s*include\s*"' + re.escape(prefix) + r'/([^"]+)"')
    edges = {}
    folders = set()
    for directory, _, names in os.walk(root):
        for name in sorted(names):
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(directory, name)
            source = folder_of(os.path.relpath(path, root))
            folders.add(source)
            with open(path, encoding="utf-8", errors="replace") as handle:
                for number, line in enumerate(handle, 1):
                    match = include.match(line)
                    if not match:
                        continue
                    target = folder_of(match.group(1))
                    folders.add(target)
                    if target != source:
                        edges.setdefault((source, target), (os.path.relpath(path, root), number))
    return folders, edges


def strongly_connected(folders, edges):
    """Tarjan's components with more than one folder, each sorted, in a stable order."""
    successors = {folder: sorted(t for (s, t) in edges if s == folder) for folder in folders}
    index, low, stack, on_stack, components = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in successors[node]:
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == node:
                    break
            if len(component) > 1:
                components.append(sorted(component))

    for folder in sorted(folders):
        if folder not in index:
            visit(folder)
    return sorted(components)


def one_circle(component, edges):
    """A shortest circle through the component's first folder, as a list of folders."""
    members = set(component)
    start = component[0]
    paths = {start: [start]}
    queue = [start]
    while queue:
        node = queue.pop(0)
        for (s, t) in sorted(edges):
            if s != node or t not in members:
                continue
            if t == start:
                return paths[node] + [start]
            if t not in paths:
                paths[t] = paths[node] + [t]
                queue.append(t)
    return [start]


def check(root, prefix, out):
    folders, edges = read_edges(root, prefix)
    components = strongly_connected(folders, edges)
    if not components:
        print(f"{prefix}: no include circle among {len(folders)} folders ({len(edges)} edges)", file=out)
        return 0
    for component in components:
        circle = one_circle(component, edges)
        print(f"{prefix}: include circle {' -> '.join(circle)}"
              f" (folders tangled together: {', '.join(component)})", file=out)
        for source, target in zip(circle, circle[1:]):
            path, line = edges[(source, target)]
            print(f"  {source} -> {target}: {prefix}/{path}:{line}", file=out)
    return 1


def self_test():
    """The check must name a circle it is given, and pass the same tree once it is broken."""
    with tempfile.TemporaryDirectory() as root:
        files = {
            "a/A.h": '#include "top/b/B.h"\n',
            "b/B.cpp": '#include "top/c/C.h"\n#include <vector>\n',
            "c/C.h": '#include "top/a/A.h"\n',
            "d/D.h": '#include "top/a/A.h"\n#include "other/e/E.h"\n',
        }
        for name, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
            with open(os.path.join(root, name), "w", encoding="utf-8") as handle:
                handle.write(text)
        report = _Capture()
        if check(root, "top", report) != 1 or "a -> b -> c -> a" not in report.text \
                or "top/c/C.h:1" not in report.text or "d" in report.text.split("tangled together:")[1]:
            print("self-test: the circle a -> b -> c -> a was not named:\n" + report.text)
            return 1
        os.remove(os.path.join(root, "c/C.h"))
        report = _Capture()
        if check(root, "top", report) != 0:
            print("self-test: a tree without circles was refused:\n" + report.text)
            return 1
    print("self-test: passed")
    return 0


class _Capture:
    def __init__(self):
        self.text = ""

    def write(self, text):
        self.text += text


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root", nargs="?", help="the folder whose subfolders are checked")
    parser.add_argument("--prefix", help="the include prefix naming ROOT (default: ROOT's own name)")
    parser.add_argument("--self-test", action="store_true", help="check the check on a made-up tree")
    args = parser.parse_args()
    if args.self_test:
        return self_test()
    if not args.root or not os.path.isdir(args.root):
        parser.error("give the folder to check")
    prefix = args.prefix or os.path.basename(os.path.normpath(os.path.abspath(args.root)))
    return check(args.root, prefix, sys.stdout)


if __name__ == "__main__":
    sys.exit(main())
