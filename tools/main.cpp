// marblix_assetgen DATA_DIR [CONTACT_DIR] [--po PO_DIR] [--template FILE]: writes the whole asset
// pack, with every language of PO_DIR/LINGUAS under DATA_DIR/lang/, contact sheets of every
// picture when a second folder is given, and the translators' template of every text.
// marblix_assetgen --pseudo DATA_DIR: writes only the pseudo-language lang/en_XA, for tests.
// Ends with status 1, naming them, when texts do not fit their room.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "assetgen/art.h"
#include "assetgen/preview.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::string dataDir;
  std::string contactDir;
  std::string poDir;
  std::string templateFile;
  bool pseudo = false;
};

std::optional<Options> parse(int argc, char** argv) {
  Options options;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--po" || arg == "--template") && i + 1 < argc) {
      (arg == "--po" ? options.poDir : options.templateFile) = argv[++i];
    } else if (arg == "--pseudo") {
      options.pseudo = true;
    } else if (arg.starts_with("--")) {
      return std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.empty() || positional.size() > 2) return std::nullopt;
  options.dataDir = positional[0];
  if (positional.size() == 2) options.contactDir = positional[1];
  return options;
}

// Runs the tasks on both cores, the longest first; the first failure is thrown again.
class Tasks {
 public:
  void add(std::string name, std::function<void()> task) {
    tasks_.push_back({std::move(name), std::move(task)});
  }
  // Each finished task's time is printed when `timed`.
  void run(int threads, bool timed = true) {
    timed_ = timed;
    std::vector<std::thread> workers;
    workers.reserve(std::size_t(threads));
    for (int t = 0; t < threads; ++t) workers.emplace_back([this] { work(); });
    for (std::thread& worker : workers) worker.join();
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  void work() {
    for (std::size_t n = next_++; n < tasks_.size(); n = next_++) {
      if (failed_) return;
      const auto begin = Clock::now();
      try {
        tasks_[n].second();
      } catch (...) {
        const std::lock_guard lock(mutex_);
        if (!failure_) failure_ = std::current_exception();
        failed_ = true;
        return;
      }
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
      if (timed_) std::printf("assetgen: %-8s %7.0f ms\n", tasks_[n].first.c_str(), ms);
    }
  }

  std::vector<std::pair<std::string, std::function<void()>>> tasks_;
  std::atomic<std::size_t> next_{0};
  std::atomic<bool> failed_{false};
  bool timed_ = true;
  std::mutex mutex_;
  std::exception_ptr failure_;
};

// Every file of one language but English: strings.txt, its letters, the pictures with words.
void makeLanguage(assetgen::Pack& pack, const assetgen::Language& language) {
  assetgen::makeTexts(pack, language);
  assetgen::makeLanguageFont(pack, language, assetgen::stringsText(language));
  assetgen::makeButtons(pack, language);
  assetgen::makePanels(pack, language);
  assetgen::makeBoard(pack, language);
  assetgen::makeHelpPages(pack, language);
}

// Prints every misfit; true when there was none.
bool reportMisfits(const std::vector<assetgen::Language>& languages) {
  bool none = true;
  for (const assetgen::Language& language : languages) {
    for (const assetgen::Misfit& m : language.misfits()) {
      std::fprintf(stderr, "assetgen: %s: %s %s: \"%s\"\n", language.code().c_str(), m.key.c_str(),
                   m.why.c_str(), m.text.c_str());
      none = false;
    }
  }
  return none;
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = parse(argc, argv);
  if (!options) {
    std::fprintf(stderr,
                 "usage: %s DATA_DIR [CONTACT_DIR] [--po PO_DIR] [--template FILE]\n"
                 "       %s --pseudo DATA_DIR\n",
                 argv[0], argv[0]);
    return 2;
  }
  const auto start = Clock::now();
  try {
    assetgen::Pack pack(options->dataDir);
    if (options->pseudo) {
      const std::vector<assetgen::Language> pseudo = {assetgen::Language::pseudo()};
      makeLanguage(pack, pseudo[0]);
      return reportMisfits(pseudo) ? 0 : 1;
    }
    assetgen::TextTemplate texts;
    const assetgen::Language english = assetgen::Language::english(&texts);
    const std::vector<assetgen::Language> languages = options->poDir.empty()
                                                          ? std::vector<assetgen::Language>{}
                                                          : assetgen::readLanguages(options->poDir);

    Tasks tasks;
    tasks.add("music", [&] { assetgen::makeMusic(pack); });
    tasks.add("english", [&] {
      // The texts first: the template lists them in the order they are asked for.
      assetgen::makeTexts(pack, english);
      assetgen::makeButtons(pack, english);
      assetgen::makePanels(pack, english);
      assetgen::makeBoard(pack, english);
      assetgen::makeHelpPages(pack, english);
      assetgen::makeBalls(pack);
      assetgen::makeRestAnimations(pack);
      assetgen::makeFont(pack);
      assetgen::makeFontMap(pack, english, languages);
      assetgen::makeLogo(pack);
    });
    tasks.add("sounds", [&] { assetgen::makeSounds(pack); });
    for (const assetgen::Language& language : languages)
      tasks.add(language.code(), [&pack, &language] { makeLanguage(pack, language); });
    tasks.run(2);

    std::vector<assetgen::Language> all = {english};
    all.insert(all.end(), languages.begin(), languages.end());
    if (!reportMisfits(all)) return 1;
    if (!options->templateFile.empty()) writeFile(options->templateFile, texts.pot());
    if (!options->contactDir.empty()) {
      Tasks review;
      for (auto& writer : pack.contactSheetWriters(options->contactDir))
        review.add("contact", std::move(writer));
      std::vector<std::string> codes;
      codes.reserve(languages.size());
      for (const assetgen::Language& language : languages) codes.push_back(language.code());
      for (auto& writer : assetgen::previewWriters(pack, options->contactDir, codes))
        review.add("preview", std::move(writer));
      review.run(2, false);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  const double s = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("assetgen: pack written to %s in %.2f s\n", options->dataDir.c_str(), s);
  return 0;
}
