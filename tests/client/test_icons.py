# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""Every icon the window names is found under the Breeze theme, as KDE's
icon loader looks for it: theme by theme (Breeze, then hicolor with the
icons we ship), and within a theme the whole name first, then shorter ones
("system-log-out-symbolic", "system-log-out", ...)."""
import glob
import os
import re
import unittest

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OURS = os.path.join(SOURCE, "data", "icons", "hicolor")
THEMES = [["/usr/share/icons/breeze"], [OURS, "/usr/share/icons/hicolor"]]


def files_of(folders):
    names = {}
    for folder in folders:
        for path in glob.glob(os.path.join(folder, "**", "*"), recursive=True):
            stem, extension = os.path.splitext(os.path.basename(path))
            if extension in (".svg", ".svgz", ".png"):
                names.setdefault(stem, path)
    return names


def resolve(name, themes):
    for theme in themes:
        candidate = name
        while candidate:
            if candidate in theme:
                return theme[candidate]
            candidate = candidate.rpartition("-")[0]
    return None


def names_in_sources():
    """Icon names that the window's documents and the action table use."""
    names = set()
    with open(os.path.join(SOURCE, "common", "enumerations.cpp")) as f:
        names.update(re.findall(r'QStringLiteral\("([a-z0-9-]+)"\)', f.read()))
    for path in glob.glob(os.path.join(SOURCE, "client", "qml", "**", "*.qml"), recursive=True):
        with open(path) as f:
            for line in f:
                if re.search(r'icon\.name\s*[:=]|source:\s*"|IconName|icon:', line):
                    names.update(re.findall(r'"([a-z][a-z0-9]*(?:-[a-z0-9]+)+)"', line))
    return names


class IconTest(unittest.TestCase):
    def setUp(self):
        if not os.path.isdir(THEMES[0][0]):
            self.skipTest("Breeze is not installed")
        self.themes = [files_of(folders) for folders in THEMES]

    def test_every_icon_is_found(self):
        names = names_in_sources()
        self.assertIn("system-lock-screen-symbolic", names)
        self.assertIn("media-playback-pause-symbolic", names)
        missing = sorted(name for name in names if resolve(name, self.themes) is None)
        self.assertEqual(missing, [])

    # Breeze has no icon for these, or only a bare "<" when small: ours win.
    def test_session_actions_show_ours(self):
        for name in ("system-login-symbolic", "zel-log-out-symbolic"):
            self.assertTrue(resolve(name, self.themes).startswith(OURS), name)


if __name__ == "__main__":
    unittest.main()
