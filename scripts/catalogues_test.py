#!/usr/bin/env python3
"""Tests of catalogues.py: the check a translator runs, and what the build makes of po/."""
import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import catalogues  # noqa: E402

TEMPLATE = '''msgid ""
msgstr "Content-Type: text/plain; charset=UTF-8\\n"

msgctxt "Message.NoPack"
msgid "No game data in \\"{1}\\""
msgstr ""

msgctxt "Exit_Text"
msgid ""
"Your game is kept\\n"
"for next time."
msgstr ""
'''

HEADER = 'msgid ""\nmsgstr "Content-Type: text/plain; charset=UTF-8\\n"\n'


def entry(key, english, translation, flags=""):
    return (f"\n{flags}msgctxt {catalogues.quote(key)}\nmsgid {catalogues.quote(english)}\n"
            f"msgstr {catalogues.quote(translation)}\n")


class Folder:
    """A po/ folder of one language, German, beside the template."""

    def __init__(self, test, german):
        folder = tempfile.TemporaryDirectory()
        test.addCleanup(folder.cleanup)
        self.path = folder.name
        self.write("LINGUAS", "de\n")
        self.write("marblix.pot", TEMPLATE)
        self.write("de.po", HEADER + german)

    def write(self, name, text):
        with open(os.path.join(self.path, name), "w", encoding="utf-8") as f:
            f.write(text)

    def read(self, name):
        with open(os.path.join(self.path, name), encoding="utf-8") as f:
            return f.read()


NO_PACK = entry("Message.NoPack", 'No game data in "{1}"', "Keine Spieldaten in „{1}“")
EXIT = entry("Exit_Text", "Your game is kept\nfor next time.", "Dein Spiel bleibt\nerhalten.")


class Check(unittest.TestCase):
    def problems(self, folder, made=None):
        made = made or os.path.join(folder.path, "marblix.pot")
        result = subprocess.run([sys.executable, catalogues.__file__, "check", folder.path, made],
                                capture_output=True, text=True)
        return result.returncode, result.stderr

    def test_a_whole_catalogue_passes(self):
        self.assertEqual(self.problems(Folder(self, NO_PACK + EXIT)), (0, ""))

    def test_every_fault_a_translator_can_make_is_named(self):
        faults = {
            "is not translated": entry("Message.NoPack", 'No game data in "{1}"', "") + EXIT,
            "is marked fuzzy": entry("Message.NoPack", 'No game data in "{1}"', "Keine {1}",
                                     "#, fuzzy\n") + EXIT,
            "must keep the placeholders {1}": entry("Message.NoPack", 'No game data in "{1}"',
                                                    "Keine Spieldaten") + EXIT,
            "is no text of the game any more": NO_PACK + EXIT + entry("Old", "Old", "Alt"),
            "translates an older English text": entry("Message.NoPack", "No data", "Keine {1}") +
            EXIT,
        }
        for said, catalogue in faults.items():
            with self.subTest(said):
                status, stderr = self.problems(Folder(self, catalogue))
                self.assertEqual(status, 1)
                self.assertIn(said, stderr)

    def test_a_template_the_texts_no_longer_make_is_named(self):
        folder = Folder(self, NO_PACK + EXIT)
        folder.write("made.pot", TEMPLATE + entry("Undo", "Undo", ""))
        status, stderr = self.problems(folder, os.path.join(folder.path, "made.pot"))
        self.assertEqual(status, 1)
        self.assertIn("scripts/update-po.sh", stderr)


class Made(unittest.TestCase):
    def test_messages_are_valid_cpp_strings_and_untranslated_ones_stay_out(self):
        tricky = 'Keine „{1}“: "C:\\\\Spiele"\nneu'
        folder = Folder(self, entry("Message.NoPack", 'No game data in "{1}"', tricky) +
                        entry("Message.Other", "Other", ""))
        folder.write("messages.cpp", '// clang-format off\n'
                     '    {"NoPack", "No game data in \\"{1}\\""},\n'
                     '    {"Other", "Other"},\n// clang-format on\n')
        out = os.path.join(folder.path, "made.cpp")
        catalogues.make_messages([folder.path, os.path.join(folder.path, "messages.cpp"), out])
        made = folder.read("made.cpp")
        self.assertIn('{"de", "NoPack", "Keine „{1}“: \\"C:\\\\\\\\Spiele\\"\\nneu"},', made)
        self.assertNotIn('"Other"', made)
        self.assertIn("std::array<TranslatedPlayerMessage, 1>", made)

    def test_metainfo_gets_each_translation_as_escaped_xml_beside_its_english(self):
        folder = Folder(self, entry("Metainfo.Summary", "Line up balls", "Kugeln & Reihen <neu>"))
        folder.write("en.xml", '<?xml version="1.0"?>\n<component>\n  <summary>Line up balls'
                     '</summary>\n  <description>\n    <p>\n      Untranslated\n      text.\n'
                     '    </p>\n  </description>\n</component>\n')
        out = os.path.join(folder.path, "out.xml")
        catalogues.make_metainfo([folder.path, os.path.join(folder.path, "en.xml"), out])
        summaries = ElementTree.parse(out).getroot().findall("summary")
        self.assertEqual([s.text for s in summaries], ["Line up balls", "Kugeln & Reihen <neu>"])
        self.assertEqual(summaries[1].get("{http://www.w3.org/XML/1998/namespace}lang"), "de")

    def test_installer_texts_escape_nsis_and_fill_the_version(self):
        folder = Folder(self, entry("Installer.Caption", "Marblix {1} Setup",
                                    'Marblix {1} "$" Setup'))
        folder.write("texts.txt", "# comment\nCaption\tMarblix {1} Setup\tthe title\n")
        out = os.path.join(folder.path, "languages.nsh")
        catalogues.make_installer([folder.path, os.path.join(folder.path, "texts.txt"), out])
        made = folder.read("languages.nsh")
        self.assertIn('!insertmacro MUI_LANGUAGE "German"', made)
        self.assertIn('LangString MarblixCaption ${LANG_ENGLISH} "Marblix ${VERSION} Setup"', made)
        german = 'LangString MarblixCaption ${LANG_GERMAN} "Marblix ${VERSION} $\\"$$$\\" Setup"'
        self.assertIn(german, made)


if __name__ == "__main__":
    unittest.main()
