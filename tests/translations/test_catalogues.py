# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""Every text a user sees is translated, in every language the catalogues
have: the programs' texts (lupdate finds them anew in the sources, so a text
added anywhere without its translation fails here), the desktop entries,
the notification configuration, the metainfo and the help page."""
import configparser
import json
import os
import re
import shutil
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ET

BUILD_DIR = os.environ.get("ZEL_BUILD_DIR", "")
SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
# Plural forms per language, as lrelease counts them.
PLURAL_FORMS = {"ru": 3}
TRANSLATION_CALL = re.compile(r"\b(?:tr|qsTr|qsTranslate|qsTrId|translate|QT_TR_NOOP|QT_TRANSLATE_NOOP\w*)\s*\(")
PLACEHOLDER = re.compile(r"%(?:\d|n)")


def load_setup():
    with open(os.path.join(BUILD_DIR, "translations", "catalogues.json")) as f:
        return json.load(f)


def messages(path):
    """(context, source, comment) -> (numerus, [translations], type)."""
    result = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            key = (name, message.findtext("source"), message.findtext("comment") or "")
            translation = message.find("translation")
            numerus = message.get("numerus") == "yes"
            forms = [f.text or "" for f in translation.iter("numerusform")] if numerus else [translation.text or ""]
            result[key] = (numerus, forms, translation.get("type", ""))
    return result


class CatalogueTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.setup = load_setup()
        cls.languages = cls.setup["languages"]
        cls.tmp = tempfile.mkdtemp(prefix="zel-catalogues-")
        # Each catalogue as the sources have it now, with the translations
        # the tree holds.
        cls.committed = {}
        cls.refreshed = {}
        for catalogue in cls.setup["catalogues"]:
            for language in cls.languages:
                name = "%s_%s.ts" % (catalogue["name"], language)
                committed = os.path.join(cls.setup["ts_folder"], name)
                refreshed = os.path.join(cls.tmp, name)
                shutil.copy(committed, refreshed)
                folders = [os.path.join(SOURCE, f) for f in catalogue["folders"]]
                subprocess.run([cls.setup["lupdate"]] + cls.setup["lupdate_options"] + folders + ["-ts", refreshed],
                               check=True, capture_output=True)
                cls.committed[name] = messages(committed)
                cls.refreshed[name] = messages(refreshed)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def test_every_text_has_its_translation(self):
        problems = []
        for name, found in self.refreshed.items():
            language = name.rsplit("_", 1)[1][:-3]
            for (context, source, comment), (numerus, forms, kind) in found.items():
                where = "%s: %s: %r" % (name, context, source)
                if kind:
                    problems.append("%s is %s" % (where, kind))
                elif numerus and len(forms) != PLURAL_FORMS[language]:
                    problems.append("%s has %d plural forms" % (where, len(forms)))
                elif not all(form.strip() for form in forms):
                    problems.append("%s has no translation" % where)
        self.assertEqual(problems, [], "\nrun the update-translations target and translate:\n" + "\n".join(problems))

    def test_catalogues_hold_no_texts_gone_from_the_sources(self):
        for name in self.committed:
            gone = sorted(set(self.committed[name]) - set(self.refreshed[name]))
            self.assertEqual(gone, [], "%s: run the update-translations target" % name)

    def test_placeholders_match(self):
        problems = []
        for name, found in self.refreshed.items():
            for (context, source, comment), (numerus, forms, kind) in found.items():
                wanted = sorted(set(PLACEHOLDER.findall(source)))
                for form in forms:
                    if form and sorted(set(PLACEHOLDER.findall(form))) != wanted:
                        problems.append("%s: %s: %r -> %r" % (name, context, source, form))
        self.assertEqual(problems, [])

    def test_every_source_with_texts_has_a_catalogue(self):
        covered = [os.path.join(SOURCE, f) + os.sep for c in self.setup["catalogues"] for f in c["folders"]]
        skipped = {"tests", "translations", ".git", "doc", "packaging", "scripts", "data", "cmake"}
        uncovered = []
        for folder, subfolders, files in os.walk(SOURCE):
            subfolders[:] = [s for s in subfolders if s not in skipped and not s.startswith("build")]
            for file in files:
                if not file.endswith((".cpp", ".h", ".qml")):
                    continue
                path = os.path.join(folder, file)
                with open(path, encoding="utf-8") as f:
                    if TRANSLATION_CALL.search(f.read()) and not any(path.startswith(c) for c in covered):
                        uncovered.append(os.path.relpath(path, SOURCE))
        self.assertEqual(uncovered, [], "add their folder to a catalogue in translations/CMakeLists.txt")

    def test_desktop_files_are_translated(self):
        for file, keys in (("ru.velmora.zel-scheduler.desktop", ("Name", "GenericName", "Comment", "Keywords")),
                           ("zel-shutdown-scheduler-service.desktop", ("Name", "Comment")),
                           ("zel-scheduler-tray.desktop", ("Name", "Comment")),
                           ("zel-shutdown-scheduler-service.notifyrc", ("Name", "Comment"))):
            parser = configparser.ConfigParser(interpolation=None)
            parser.optionxform = str
            parser.read(os.path.join(SOURCE, "data", file), encoding="utf-8")
            for group in parser.sections():
                for key in keys:
                    if key in parser[group]:
                        for language in self.languages:
                            self.assertTrue(parser[group].get("%s[%s]" % (key, language), "").strip(),
                                            "%s [%s] %s[%s]" % (file, group, key, language))

    def test_metainfo_is_translated(self):
        root = ET.parse(os.path.join(SOURCE, "data", "ru.velmora.zel-scheduler.metainfo.xml")).getroot()
        lang = "{http://www.w3.org/XML/1998/namespace}lang"
        for tag in ("name", "summary", "description/p"):
            elements = root.findall(tag)
            source = [e for e in elements if lang not in e.attrib]
            for language in self.languages:
                translated = [e for e in elements if e.get(lang) == language and (e.text or "").strip()]
                self.assertEqual(len(translated), len(source), "%s in %s" % (tag, language))

    def test_help_is_translated(self):
        for language in self.languages:
            page = os.path.join(SOURCE, "data", "help", language, "index.html")
            with open(page, encoding="utf-8") as f:
                self.assertIn('<html lang="%s">' % language, f.read())


if __name__ == "__main__":
    unittest.main()
