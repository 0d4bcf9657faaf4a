#!/usr/bin/env python3
"""Checks how the desktop program's folders include one another.

gui/forms is the widget kit every form builds on and includes nothing else of gui/; the feature
folders include gui/forms and each other, never gui/app, which puts them together; no chain of
includes between gui's folders comes back to where it started; the command-line tool includes
nothing of gui/. Prints each breach and exits 1, or exits 0 when all is well.

Usage: check_gui_includes.py SOURCE_ROOT
"""

import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s+"gui/([^/"]+)/[^"]*"', re.MULTILINE)
SOURCES = (".h", ".hpp", ".cpp", ".cc")
APPLICATION = "app"
KIT = "forms"


def folder_edges(gui_root: Path):
    """(from folder, to folder, file) for every include of another gui folder."""
    edges = []
    for path in sorted(gui_root.rglob("*")):
        if path.suffix not in SOURCES or not path.is_file():
            continue
        relative = path.relative_to(gui_root)
        if len(relative.parts) < 2:
            continue  # main.cpp: the program itself may include anything
        source = relative.parts[0]
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if target != source:
                edges.append((source, target, path))
    return edges


def find_cycle(graph):
    """One circle of folders as a list (first == last), or None."""
    state = {}
    stack = []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for nxt in sorted(graph.get(node, ())):
            if state.get(nxt) == "open":
                return stack[stack.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        stack.pop()
        state[node] = "done"
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def breaches(root: Path):
    found = []
    edges = folder_edges(root / "gui")
    graph = {}
    for source, target, path in edges:
        graph.setdefault(source, set()).add(target)
        where = path.relative_to(root)
        if source == KIT:
            found.append(f"{where}: gui/{KIT} includes gui/{target}; the kit includes only itself")
        elif target == APPLICATION:
            found.append(f"{where}: gui/{source} includes gui/{APPLICATION}; features include gui/{KIT}")
    cycle = find_cycle(graph)
    if cycle:
        found.append("include circle among gui's folders: " + " -> ".join(f"gui/{f}" for f in cycle))
    cli = root / "cli"
    if cli.is_dir():
        for path in sorted(cli.rglob("*")):
            if path.suffix in SOURCES and path.is_file():
                if INCLUDE.search(path.read_text(encoding="utf-8", errors="replace")):
                    found.append(f"{path.relative_to(root)}: the command-line tool includes window code")
    return found


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    root = Path(argv[1])
    if not (root / "gui").is_dir():
        print(f"{root}: no gui/ folder", file=sys.stderr)
        return 2
    found = breaches(root)
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
