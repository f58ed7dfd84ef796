// The languages the pack is made in: the translators' catalogues (po/<code>.po), the template of
// every text the pack holds, and the texts one language shows.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace assetgen {

// The letters a language is set in: DejaVu for Latin, Greek and Cyrillic; Noto Sans CJK in the
// face of each East Asian language, which draw the same code points differently.
enum class Script { Latin, Japanese, Korean, SimplifiedChinese, TraditionalChinese };

// The translations of one PO file by key (msgctxt). Fuzzy and empty entries count as missing.
class Catalogue {
 public:
  // Throws with the file and line for a file that is not a readable PO file.
  static Catalogue read(const std::filesystem::path& file);
  static Catalogue parse(const std::string& content, const std::string& name);
  const std::string* find(const std::string& key) const;

 private:
  std::map<std::string, std::string> translations_;
};

// One text of the template: its key, its English and the room it has on the screen.
struct TemplateEntry {
  std::string key;
  std::string english;
  std::string room;
};

// Every text asked for while the English pack is made, in the order it was asked for; the
// template translators start from. Safe from several threads.
class TextTemplate {
 public:
  void add(const std::string& key, const std::string& english, const std::string& room);
  std::vector<TemplateEntry> entries() const;
  // The template as a gettext POT file, with no date, so that it stays the same from run to run.
  std::string pot() const;

 private:
  mutable std::mutex mutex_;
  std::vector<TemplateEntry> entries_;
};

// A text too large for its room, or with letters no font draws, found while the pack was made.
struct Misfit {
  std::string key;
  std::string text;
  std::string why;  // "does not fit (…)", "has letters no font of the build draws (…)"
};

class Language {
 public:
  // The pack's root: English, every file exactly as it has always been. Texts it is asked for
  // go to `collect`, when given.
  static Language english(TextTemplate* collect = nullptr);
  // A catalogue's language: `code` as in LINGUAS ("de", "pt_BR", "zh_TW").
  static Language translated(const std::string& code, Catalogue catalogue);
  // The pseudo-language for tests: every text accented and about 40 % longer.
  static Language pseudo();

  const std::string& code() const { return code_; }
  bool isEnglish() const { return code_ == "en"; }
  bool isPseudo() const { return code_ == "en_XA"; }
  Script script() const { return script_; }
  // Where the language's files go in the pack: "" for the root, "lang/<code>/" otherwise.
  std::string folder() const { return isEnglish() ? std::string() : "lang/" + code_ + "/"; }
  // The language tag line breaking and shaping go by ("de", "zh-cn").
  std::string tag() const;

  // The text shown for `key`: the translation, or the English where the catalogue has none.
  std::string text(const std::string& key, const std::string& english,
                   const std::string& room) const;
  // Whether the language shows `english` as it is under `key` (no translation, or the same).
  bool keepsEnglish(const std::string& key, const std::string& english) const;

  // Texts found too large for their room while this language's files were made.
  void misfit(Misfit misfit) const;
  std::vector<Misfit> misfits() const;

 private:
  struct MisfitLog {
    std::mutex mutex;
    std::vector<Misfit> misfits;
  };
  Language(std::string code, Script script)
      : code_(std::move(code)), script_(script), misfits_(std::make_shared<MisfitLog>()) {}

  std::string code_;
  Script script_;
  std::shared_ptr<const Catalogue> catalogue_;
  TextTemplate* collect_ = nullptr;
  std::shared_ptr<MisfitLog> misfits_;
};

// The script a language code is written in.
Script scriptOf(const std::string& code);

// The English made longer and accented, brackets round it, placeholders such as {1} kept.
std::string pseudoTranslate(const std::string& english);

// The languages listed in po/LINGUAS, with their catalogues; throws naming a missing file.
std::vector<Language> readLanguages(const std::filesystem::path& poFolder);

}  // namespace assetgen
