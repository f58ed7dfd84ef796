#!/usr/bin/env python3
"""The translators' catalogues (po/): the template, their checks, and what the build makes of them.

  catalogues.py template PACK_POT OUT.pot --desktop F --metainfo F [--messages F] [--installer F]
      the whole template: the generator's texts (PACK_POT), then the launcher entry, the
      metainfo, the player-facing messages and the installer's own texts
  catalogues.py check PO_DIR MADE.pot
      the template in PO_DIR is MADE.pot; every catalogue of LINGUAS translates every key, keeps
      its placeholders and passes msgfmt --check
  catalogues.py messages PO_DIR MESSAGES_CPP OUT.cpp     the messages' translations as C++
  catalogues.py desktop PO_DIR IN OUT                    the launcher entry in every language
  catalogues.py metainfo PO_DIR IN OUT                   the metainfo in every language
  catalogues.py installer PO_DIR INSTALLER_TEXTS OUT.nsh the installer's languages
Only the Python standard library and gettext's msgfmt are used.
"""
import html
import os
import re
import subprocess
import sys

# The installer's languages as NSIS names them, by catalogue code.
NSIS_LANGUAGES = {
    "en": "English", "de": "German", "fr": "French", "es": "Spanish", "it": "Italian",
    "pt_BR": "PortugueseBR", "nl": "Dutch", "pl": "Polish", "tr": "Turkish", "ru": "Russian",
    "uk": "Ukrainian", "el": "Greek", "ja": "Japanese", "zh_CN": "SimpChinese",
    "zh_TW": "TradChinese", "ko": "Korean",
}


class Entry:
    def __init__(self):
        self.comments = []  # the "#." lines, without their mark
        self.context = None
        self.id = ""
        self.str = ""
        self.fuzzy = False
        self.line = 0


def unquote(text, where):
    match = re.fullmatch(r'\s*"((?:[^"\\]|\\.)*)"\s*', text)
    if not match:
        raise SystemExit(f"{where}: not a PO string: {text}")
    escapes = {"n": "\n", "t": "\t", '"': '"', "\\": "\\"}
    return re.sub(r"\\(.)", lambda m: escapes.get(m.group(1), m.group(0)), match.group(1))


def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


def read_po(path):
    """The entries of a PO file in order, the header and obsolete entries left out."""
    entries, entry, field = [], Entry(), None

    def finish():
        nonlocal entry, field
        if entry.context is not None or entry.id:
            entries.append(entry)
        entry, field = Entry(), None

    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\r\n")
            where = f"{path}:{number}"
            if not line.strip() or line.startswith("#~"):
                if field == "str":
                    finish()
                continue
            if line.startswith("#"):
                if field == "str":
                    finish()
                if line.startswith("#."):
                    entry.comments.append(line[3:] if line.startswith("#. ") else line[2:])
                elif line.startswith("#,"):
                    entry.fuzzy = "fuzzy" in line
                continue
            keyword, _, rest = line.partition(" ")
            if keyword in ("msgctxt", "msgid", "msgstr"):
                if keyword != "msgstr" and field == "str":
                    finish()
                field = {"msgctxt": "context", "msgid": "id", "msgstr": "str"}[keyword]
                entry.line = entry.line or number
                setattr(entry, field, unquote(rest, where))
            elif line.startswith('"') and field:
                setattr(entry, field, getattr(entry, field) + unquote(line, where))
            else:
                raise SystemExit(f"{where}: not a line of a PO file")
    finish()
    return [e for e in entries if e.id]


def pot_entry(key, english, comments):
    lines = [""] + [f"#. {c}" for c in comments] + [f"msgctxt {quote(key)}"]
    if "\n" in english.rstrip("\n"):
        lines.append('msgid ""')
        parts = english.split("\n")
        for i, part in enumerate(parts):
            if i < len(parts) - 1:
                lines.append(quote(part + "\n"))
            elif part:
                lines.append(quote(part))
    else:
        lines.append(f"msgid {quote(english)}")
    lines.append('msgstr ""')
    return "\n".join(lines) + "\n"


def linguas(po_dir):
    with open(os.path.join(po_dir, "LINGUAS"), encoding="utf-8") as f:
        return [c.strip() for c in f if c.strip() and not c.startswith("#")]


def catalogues(po_dir):
    """{code: {key: translation}} of every language, fuzzy and empty translations left out."""
    return {code: {e.context: e.str for e in read_po(os.path.join(po_dir, code + ".po"))
                   if e.str and not e.fuzzy}
            for code in linguas(po_dir)}


# ---- English texts outside the generator ------------------------------------------------------

def desktop_texts(path):
    """(key, English, comment) of the launcher entry's translatable values."""
    rooms = {
        "GenericName": "What the game is, shown under its name in menus: two or three words",
        "Comment": "The launcher's tooltip: one short sentence",
        "Keywords": "Words a menu search finds the game by, each followed by a semicolon, "
                    "no spaces around them; the language's own words, not the English",
    }
    texts = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            key, _, value = line.rstrip("\n").partition("=")
            if key in rooms:
                texts.append((f"Desktop.{key}", value, [f"Launcher entry: {rooms[key]}"]))
    return texts


def normalised(text):
    return " ".join(text.split())


def metainfo_texts(path):
    """(key, English, comment) of the metainfo's summary, description, caption and release."""
    with open(path, encoding="utf-8") as f:
        xml = f.read()
    texts = []
    summary = re.search(r"<summary>(.*?)</summary>", xml, re.S)
    if summary:
        texts.append(("Metainfo.Summary", normalised(html.unescape(summary.group(1))),
                      ["Software centre: the one line under the game's name; no full stop"]))
    description = re.search(r"<description>(.*?)</description>", xml, re.S)
    for n, p in enumerate(re.findall(r"<p>(.*?)</p>", description.group(1) if description else "",
                                     re.S), 1):
        texts.append((f"Metainfo.Description.{n}", normalised(html.unescape(p)),
                      [f"Software centre: paragraph {n} of the game's description"]))
    caption = re.search(r"<caption>(.*?)</caption>", xml, re.S)
    if caption:
        texts.append(("Metainfo.Caption", normalised(html.unescape(caption.group(1))),
                      ["Software centre: the caption of the game's screenshot"]))
    for release in re.finditer(r'<release version="([^"]*)".*?<p>(.*?)</p>', xml, re.S):
        texts.append((f"Metainfo.Release.{release.group(1)}",
                      normalised(html.unescape(release.group(2))),
                      [f"Software centre: what release {release.group(1)} brings"]))
    return texts


def message_texts(path):
    """(key, English) rows of the program's table of player-facing messages."""
    if not path or not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        source = f.read()
    table = re.search(r"// clang-format off\n(.*?)// clang-format on", source, re.S)
    rows = []
    for line in table.group(1).splitlines():
        row = re.fullmatch(r'\s*\{"(\w+)", ("(?:[^"\\]|\\.)*")\},\s*', line)
        if row:
            rows.append((row.group(1), unquote(row.group(2), path)))
    return rows


def installer_texts(path):
    """(key, English, comment) of the installer's own texts: lines "Key<TAB>text<TAB>comment"."""
    if not path:
        return []
    texts = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                key, english, comment = line.rstrip("\n").split("\t")
                texts.append((f"Installer.{key}", english, [f"Installer: {comment}"]))
    return texts


def make_template(args):
    pack_pot, out = args[0], args[1]
    options = dict(zip(args[2::2], args[3::2]))
    with open(pack_pot, encoding="utf-8") as f:
        text = f.read()
    for key, english, comments in (desktop_texts(options["--desktop"]) +
                                   metainfo_texts(options["--metainfo"])):
        text += pot_entry(key, english, comments)
    for key, english in message_texts(options.get("--messages")):
        text += pot_entry(f"Message.{key}", english, [
            "A line the player reads on the terminal or in a message box when something is "
            "wrong; {1}, {2} stand for paths and reasons and stay as they are"])
    for key, english, comments in installer_texts(options.get("--installer")):
        text += pot_entry(key, english, comments)
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


# ---- The check a translator runs --------------------------------------------------------------

def placeholders(text):
    return sorted(re.findall(r"\{\d\}", text))


def check(args):
    po_dir, made = args
    problems = []
    with open(made, encoding="utf-8") as f, open(os.path.join(po_dir, "marblix.pot"),
                                                  encoding="utf-8") as g:
        if f.read() != g.read():
            problems.append("po/marblix.pot is not the template the English texts make: run "
                            "scripts/update-po.sh and commit po/")
    template = {e.context: e for e in read_po(made)}
    for code in linguas(po_dir):
        path = os.path.join(po_dir, code + ".po")
        entries = {e.context: e for e in read_po(path)}
        for key, english in template.items():
            entry = entries.get(key)
            if entry is None or not entry.str:
                problems.append(f"{path}: {key} is not translated")
            elif entry.fuzzy:
                problems.append(f"{path}:{entry.line}: {key} is marked fuzzy: check it against "
                                f"the English and remove the mark")
            elif entry.id != english.id:
                problems.append(f"{path}:{entry.line}: {key} translates an older English text: "
                                f"run scripts/update-po.sh")
            elif placeholders(entry.str) != placeholders(english.id):
                problems.append(f"{path}:{entry.line}: {key} must keep the placeholders "
                                f"{' '.join(placeholders(english.id)) or '(none)'}")
        for key, entry in entries.items():
            if key not in template:
                problems.append(f"{path}:{entry.line}: {key} is no text of the game any more: "
                                f"run scripts/update-po.sh")
        result = subprocess.run(["msgfmt", "--check", "-o", os.devnull, path],
                                capture_output=True, text=True)
        if result.returncode != 0:
            problems.append(result.stderr.strip())
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"catalogues: {len(linguas(po_dir))} languages, {len(template)} texts, "
          f"{len(problems)} problems")
    return 1 if problems else 0


# ---- What the build makes of the catalogues ---------------------------------------------------

def c_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


def make_messages(args):
    po_dir, messages_cpp, out = args
    keys = [key for key, _ in message_texts(messages_cpp)]
    rows = []
    for code, translations in catalogues(po_dir).items():
        for key in keys:
            text = translations.get(f"Message.{key}")
            if text:
                rows.append(f"    {{{c_string(code)}, {c_string(key)}, {c_string(text)}}},")
    write_if_changed(out, f"""// Made by scripts/catalogues.py from po/*.po at build time.
#include <array>

#include "platform/system/player_messages.h"

namespace marblix {{
namespace {{

constexpr std::array<TranslatedPlayerMessage, {len(rows)}> Translated = {{{{
{chr(10).join(rows)}
}}}};

}}  // namespace

std::span<const TranslatedPlayerMessage> TranslatedPlayerMessages() {{
  return Translated;
}}

}}  // namespace marblix
""")


def write_if_changed(path, text, encoding="utf-8"):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    if os.path.exists(path):
        with open(path, encoding=encoding, newline="") as f:
            if f.read() == text:
                return
    with open(path, "w", encoding=encoding, newline="") as f:
        f.write(text)


def make_desktop(args):
    po_dir, source, out = args
    languages = catalogues(po_dir)
    lines = []
    with open(source, encoding="utf-8") as f:
        for line in f:
            lines.append(line)
            key = line.split("=", 1)[0]
            for code, translations in languages.items():
                text = translations.get(f"Desktop.{key}")
                if text:
                    lines.append(f"{key}[{code}]={text}\n")
    write_if_changed(out, "".join(lines))


def make_metainfo(args):
    po_dir, source, out = args
    languages = catalogues(po_dir)
    with open(source, encoding="utf-8") as f:
        xml = f.read()
    keys = {english: key for key, english, _ in metainfo_texts(source)}

    def translated(match):
        indent, tag, body = match.group(1), match.group(2), match.group(3)
        key = keys.get(normalised(html.unescape(body)))
        if key is None:
            return match.group(0)
        copies = [match.group(0)]
        for code, translations in languages.items():
            text = translations.get(key)
            if text:
                copies.append(f'{indent}<{tag} xml:lang="{code.replace("_", "-")}">'
                              f'{html.escape(text, quote=False)}</{tag}>')
        return "\n".join(copies)

    xml = re.sub(r"^([ \t]*)<(summary|p|caption)>(.*?)</\2>", translated, xml, flags=re.S | re.M)
    write_if_changed(out, xml)


def make_installer(args):
    po_dir, texts_file, out = args
    languages = {"en": {}}
    languages.update(catalogues(po_dir))
    lines = ["; Made by scripts/catalogues.py from po/*.po at build time: do not edit.",
             "; The installer's pages in every language of the game; it starts in the user's."]
    for code in languages:
        lines.append(f'!insertmacro MUI_LANGUAGE "{NSIS_LANGUAGES[code]}"')
    for key, english, _ in installer_texts(texts_file):
        name = "Marblix" + key.split(".", 1)[1]
        for code, translations in languages.items():
            # {1} is the version; NSIS escapes a quote as $\" and a dollar sign as $$.
            text = translations.get(key, english).replace("$", "$$").replace('"', '$\\"')
            text = text.replace("{1}", "${VERSION}")
            lines.append(f'LangString {name} ${{LANG_{NSIS_LANGUAGES[code].upper()}}} "{text}"')
    # NSIS reads a file with a byte-order mark as UTF-8.
    write_if_changed(out, "\ufeff" + "\n".join(lines) + "\n")


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    command, args = sys.argv[1], sys.argv[2:]
    commands = {"template": make_template, "check": check, "messages": make_messages,
                "desktop": make_desktop, "metainfo": make_metainfo, "installer": make_installer}
    if command not in commands:
        raise SystemExit(__doc__)
    return commands[command](args) or 0


if __name__ == "__main__":
    sys.exit(main())
