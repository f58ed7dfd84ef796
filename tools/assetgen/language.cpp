// PO catalogues, the POT template and the texts of one language.
#include "assetgen/language.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace assetgen {

namespace {

// The text of one PO string line ("..." with C escapes); throws on anything else.
std::string unquote(const std::string& line, std::size_t from, const std::string& where) {
  const std::size_t open = line.find('"', from);
  const std::size_t close = line.rfind('"');
  if (open == std::string::npos || close == open) throw std::runtime_error(where + ": no string");
  std::string out;
  for (std::size_t i = open + 1; i < close; ++i) {
    if (line[i] != '\\') {
      out += line[i];
      continue;
    }
    if (++i >= close) throw std::runtime_error(where + ": a lone backslash");
    switch (line[i]) {
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case '"':
      case '\\':
        out += line[i];
        break;
      default:
        throw std::runtime_error(where + ": unknown escape \\" + line[i]);
    }
  }
  return out;
}

std::string quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out + '"';
}

// A PO string, split after each line end as gettext's tools write it.
std::string poString(const std::string& keyword, const std::string& text) {
  if (text.find('\n') == std::string::npos || text.find('\n') == text.size() - 1)
    return keyword + " " + quote(text) + "\n";
  std::string out = keyword + " \"\"\n";
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::size_t stop = end == std::string::npos ? text.size() : end + 1;
    out += quote(text.substr(start, stop - start)) + "\n";
    start = stop;
  }
  return out;
}

}  // namespace

Catalogue Catalogue::read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read the catalogue " + file.string());
  std::stringstream content;
  content << in.rdbuf();
  return parse(content.str(), file.string());
}

Catalogue Catalogue::parse(const std::string& content, const std::string& name) {
  Catalogue catalogue;
  struct Entry {
    std::string context, id, str;
    bool fuzzy = false;
  } entry;
  std::string* field = nullptr;
  auto finish = [&] {
    if (!entry.id.empty() && !entry.str.empty() && !entry.fuzzy)
      catalogue.translations_.emplace(entry.context, entry.str);
    entry = Entry{};
    field = nullptr;
  };
  std::istringstream lines(content);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string where = name + ":" + std::to_string(number);
    if (line.empty()) continue;
    if (line.starts_with("#,")) {
      if (field && field != &entry.context) finish();
      entry.fuzzy = line.find("fuzzy") != std::string::npos;
    } else if (line[0] == '#') {
      if (field == &entry.str) finish();
    } else if (line.starts_with("msgctxt ")) {
      if (field == &entry.str) finish();
      field = &entry.context;
      *field = unquote(line, 7, where);
    } else if (line.starts_with("msgid ")) {
      if (field == &entry.str) finish();
      field = &entry.id;
      *field = unquote(line, 5, where);
    } else if (line.starts_with("msgstr ")) {
      field = &entry.str;
      *field = unquote(line, 6, where);
    } else if (line[0] == '"' && field) {
      *field += unquote(line, 0, where);
    } else {
      throw std::runtime_error(where + ": not a line of a PO file");
    }
  }
  finish();
  return catalogue;
}

const std::string* Catalogue::find(const std::string& key) const {
  const auto it = translations_.find(key);
  return it == translations_.end() ? nullptr : &it->second;
}

void TextTemplate::add(const std::string& key, const std::string& english,
                       const std::string& room) {
  const std::lock_guard lock(mutex_);
  for (const TemplateEntry& e : entries_) {
    if (e.key != key) continue;
    if (e.english != english)
      throw std::logic_error("the key " + key + " is asked for with two English texts");
    return;
  }
  entries_.push_back({key, english, room});
}

std::vector<TemplateEntry> TextTemplate::entries() const {
  const std::lock_guard lock(mutex_);
  return entries_;
}

std::string TextTemplate::pot() const {
  std::string out =
      "# Marblix: every text the player sees. Made by marblix_assetgen from the English texts;\n"
      "# do not edit: scripts/update-po.sh writes it and merges it into every catalogue.\n"
      "# The context of each text is its key; the comment above it says how much room it has.\n"
      "msgid \"\"\n"
      "msgstr \"\"\n"
      "\"Project-Id-Version: Marblix 1.0\\n\"\n"
      "\"Language: \\n\"\n"
      "\"MIME-Version: 1.0\\n\"\n"
      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
      "\"Content-Transfer-Encoding: 8bit\\n\"\n";
  for (const TemplateEntry& e : entries()) {
    out += "\n";
    std::istringstream room(e.room);
    for (std::string line; std::getline(room, line);) out += "#. " + line + "\n";
    out += poString("msgctxt", e.key);
    out += poString("msgid", e.english);
    out += "msgstr \"\"\n";
  }
  return out;
}

Script scriptOf(const std::string& code) {
  if (code == "ja") return Script::Japanese;
  if (code == "ko") return Script::Korean;
  if (code == "zh_CN") return Script::SimplifiedChinese;
  if (code == "zh_TW") return Script::TraditionalChinese;
  return Script::Latin;
}

Language Language::english(TextTemplate* collect) {
  Language language("en", Script::Latin);
  language.collect_ = collect;
  return language;
}

Language Language::translated(const std::string& code, Catalogue catalogue) {
  Language language(code, scriptOf(code));
  language.catalogue_ = std::make_shared<const Catalogue>(std::move(catalogue));
  return language;
}

Language Language::pseudo() {
  return Language("en_XA", Script::Latin);
}

std::string Language::tag() const {
  std::string tag = code_;
  for (char& c : tag) c = c == '_' ? '-' : char(std::tolower(static_cast<unsigned char>(c)));
  return tag;
}

std::string Language::text(const std::string& key, const std::string& english,
                           const std::string& room) const {
  if (collect_) collect_->add(key, english, room);
  if (isPseudo()) return pseudoTranslate(english);
  if (catalogue_) {
    if (const std::string* translation = catalogue_->find(key)) return *translation;
  }
  return english;
}

bool Language::keepsEnglish(const std::string& key, const std::string& english) const {
  if (isEnglish()) return true;
  if (isPseudo()) return false;
  const std::string* translation = catalogue_ ? catalogue_->find(key) : nullptr;
  return !translation || *translation == english;
}

void Language::misfit(Misfit misfit) const {
  const std::lock_guard lock(misfits_->mutex);
  misfits_->misfits.push_back(std::move(misfit));
}

std::vector<Misfit> Language::misfits() const {
  const std::lock_guard lock(misfits_->mutex);
  return misfits_->misfits;
}

namespace {

std::size_t codePointCount(const std::string& utf8) {
  std::size_t count = 0;
  for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

}  // namespace

std::string pseudoTranslate(const std::string& english) {
  // Vowels are doubled and accented, other letters accented where Latin-1 has a form; that
  // lengthens English by about 40 % and shows at once whether accents are drawn.
  static const std::map<char, std::string> accented = {
      {'a', "\xC3\xA1"}, {'e', "\xC3\xA9"}, {'i', "\xC3\xAD"}, {'o', "\xC3\xB6"},
      {'u', "\xC3\xBC"}, {'y', "\xC3\xBD"}, {'A', "\xC3\x85"}, {'E', "\xC3\x89"},
      {'I', "\xC3\x8E"}, {'O', "\xC3\x98"}, {'U', "\xC3\x9C"}, {'Y', "\xC3\x9D"},
      {'c', "\xC3\xA7"}, {'n', "\xC3\xB1"}, {'C', "\xC3\x87"}, {'N', "\xC3\x91"}};
  std::string out = "[";
  bool placeholder = false;
  std::size_t lineStart = 0, englishLine = 0;
  // Each line ends padded to 40 % more letters than its English, where doubling fell short.
  auto endLine = [&] {
    const std::size_t letters = codePointCount(out.substr(lineStart)) + 1;
    const std::size_t wanted = (englishLine * 14 + 9) / 10;
    if (letters < wanted) out.append(wanted - letters, '~');
    out += ']';
  };
  for (char c : english) {
    if (c == '\n') {
      endLine();
      out += "\n[";
      lineStart = out.size() - 1;
      englishLine = 0;
      continue;
    }
    ++englishLine;
    placeholder = c == '{' || (placeholder && c != '}');
    const auto it = accented.find(c);
    if (placeholder || c == '}' || it == accented.end()) {
      out += c;
      continue;
    }
    out += it->second;
    if (std::string("aeiouAEIOU").find(c) != std::string::npos) out += it->second;
  }
  endLine();
  return out;
}

std::vector<Language> readLanguages(const std::filesystem::path& poFolder) {
  std::ifstream linguas(poFolder / "LINGUAS");
  if (!linguas) throw std::runtime_error("cannot read " + (poFolder / "LINGUAS").string());
  std::vector<Language> languages;
  for (std::string code; std::getline(linguas, code);) {
    if (!code.empty() && code.back() == '\r') code.pop_back();
    if (code.empty() || code[0] == '#') continue;
    languages.push_back(Language::translated(code, Catalogue::read(poFolder / (code + ".po"))));
  }
  return languages;
}

}  // namespace assetgen
