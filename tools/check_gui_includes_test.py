#!/usr/bin/env python3
"""The include rule's checker on small made-up trees: each breach is found, a clean tree passes."""

import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import check_gui_includes  # noqa: E402


def tree(root: Path, files: dict):
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text, encoding="utf-8")


CLEAN = {
    "gui/main.cpp": '#include "gui/app/App.h"\n',
    "gui/app/App.cpp": '#include "gui/view/View.h"\n#include "gui/forms/Kit.h"\n',
    "gui/view/View.cpp": '#include "gui/forms/Kit.h"\n#include "gui/pipe/Art.h"\n',
    "gui/pipe/Art.cpp": '#include "gui/forms/Kit.h"\n',
    "gui/forms/Kit.cpp": '#include "gui/forms/Kit.h"\n#include "core/text/StringTable.h"\n',
    "cli/Main.cpp": '#include "print/OffscreenPdf.h"\n',
}

CASES = [
    ("feature includes the application", {"gui/view/Host.cpp": '#include "gui/app/CMainFrame.h"\n'},
     "gui/view includes gui/app"),
    ("the kit includes a feature", {"gui/forms/Bad.h": '  #  include "gui/view/View.h"\n'},
     "gui/forms includes gui/view"),
    ("two features include each other", {"gui/pipe/Back.cpp": '#include "gui/view/View.h"\n'},
     "gui/view -> gui/pipe -> gui/view"),
    ("the command-line tool includes window code", {"cli/Print.cpp": '#include "gui/view/View.h"\n'},
     "the command-line tool includes window code"),
]


class GuiIncludeRule(unittest.TestCase):
    def test_clean_tree_passes(self):
        with tempfile.TemporaryDirectory() as folder:
            tree(Path(folder), CLEAN)
            self.assertEqual(check_gui_includes.breaches(Path(folder)), [])

    def test_each_breach_is_reported(self):
        for name, extra, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as folder:
                tree(Path(folder), {**CLEAN, **extra})
                found = check_gui_includes.breaches(Path(folder))
                self.assertTrue(any(expected in line for line in found), found)


if __name__ == "__main__":
    unittest.main()
