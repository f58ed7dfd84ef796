// The string table: value entries "$key", block entries "@key" { ... }, comments ";", first
// occurrence wins.
#include "text/qz_strings.h"

#include <algorithm>
#include <string>

#include "text/TextLines.h"

namespace marblix {

namespace {

constexpr const char* CaptionText = "Marblix v1.00";

bool IsComment(const std::string& line) {
  return line.empty() || line.front() == ';';
}

}  // namespace

const std::vector<std::string> StatisticsHeadKeys = {"Stats_Kids", "Stats_Normal",
                                                     "Stats_Professional", "Stats_Daily"};
const std::vector<std::string> StatisticsRowKeys = {
    "Stats_Played", "Stats_Finished", "Stats_Best",  "Stats_Average", "Stats_Lines",
    "Stats_Balls",  "Stats_Chain",    "Stats_Bombs", "Stats_Time"};

std::pair<const TStringList*, size_t> TQzStrings::FindKeyLine(char marker,
                                                              const std::string& key) const {
  const std::string wanted = LowerCase(TrimBlanks(marker + key));
  for (const TStringList* lines : {&RawLines, &FallbackLines}) {
    for (size_t index = 0; index < lines->size(); ++index) {
      const std::string& line = (*lines)[index];
      if (!IsComment(line) && LowerCase(TrimBlanks(line)) == wanted) return {lines, index};
    }
  }
  return {&RawLines, RawLines.size()};
}

std::string TQzStrings::FindValue(const std::string& key) const {
  const auto [lines, keyLine] = FindKeyLine('$', key);
  if (keyLine + 1 >= lines->size()) return {};
  return (*lines)[keyLine + 1];
}

void TQzStrings::FindBlock(const std::string& key, TStringList& list) const {
  const auto [lines, keyLine] = FindKeyLine('@', key);
  // The key line and the line after it (the opening brace) are skipped.
  for (size_t index = keyLine + 2; index < lines->size(); ++index) {
    if (TrimBlanks((*lines)[index]) == "}") return;
    list.push_back((*lines)[index]);
  }
}

bool TQzStrings::LoadStrings(const std::string& path, const TLogSink& log) {
  std::optional<TStringList> lines = ReadTextLines(path);
  if (!lines) {
    if (log) log("Cannot open file \"" + path + "\": the screens show no texts");
    // No texts, also none of a language read before.
    const uint8_t lastHelpPage = LastHelpPage;
    *this = TQzStrings();
    LastHelpPage = lastHelpPage;
    MainCaption = CaptionText;
    return false;
  }
  RawLines = std::move(*lines);
  FillTexts();
  return true;
}

bool TQzStrings::LoadStrings(const std::string& path, const std::string& fallbackPath,
                             const TLogSink& log) {
  std::optional<TStringList> lines = ReadTextLines(path);
  std::optional<TStringList> fallback = ReadTextLines(fallbackPath);
  if (!lines && !fallback) return LoadStrings(path, log);
  if (!lines && log) log("Cannot open file \"" + path + "\": the root's texts are shown");
  RawLines = lines ? std::move(*lines) : TStringList{};
  FallbackLines = fallback ? std::move(*fallback) : TStringList{};
  FillTexts();
  return true;
}

std::string TQzStrings::ValueInFile(const std::string& path, const std::string& key) {
  TQzStrings file;
  if (std::optional<TStringList> lines = ReadTextLines(path)) file.RawLines = std::move(*lines);
  return file.FindValue(key);
}

void TQzStrings::FillTexts() {
  MainCaption = FindValue("MainCaption");
  MainCaption = CaptionText;

  Help = FindValue("Help");
  Options = FindValue("Options");
  HighScores = FindValue("HighScores");
  Kids = FindValue("Kids");
  Normal = FindValue("Normal");
  Proff = FindValue("Proff");
  Undo = FindValue("Undo");
  HelpPage = FindValue("HelpPage");
  PlayAgain = FindValue("PlayAgain");
  NoLine = FindValue("NoLine");
  ChainBonus = FindValue("ChainBonus");
  Language = FindValue("Language");
  LanguageName = FindValue("LanguageName");
  Daily = FindValue("Daily");
  Statistics = FindValue("Statistics");
  StatisticsHeads.clear();
  for (const std::string& key : StatisticsHeadKeys) StatisticsHeads.push_back(FindValue(key));
  StatisticsRows.clear();
  for (const std::string& key : StatisticsRowKeys) StatisticsRows.push_back(FindValue(key));
  BestToday = FindValue("BestToday");
  NoBestToday = FindValue("NoBestToday");
  Streak = FindValue("Streak");

  const auto dialog = [this](const std::string& name, std::string& caption, TStringList& text) {
    caption = FindValue(name + "_Caption");
    text.clear();
    FindBlock(name + "_Text", text);
  };
  dialog("Exit", Exit_Caption, Exit_Text);
  ExitUnscored_Text.clear();
  FindBlock("ExitUnscored_Text", ExitUnscored_Text);
  ExitNoGame_Text.clear();
  FindBlock("ExitNoGame_Text", ExitNoGame_Text);
  dialog("New", New_Caption, New_Text);
  dialog("Old", Old_Caption, Old_Text);
  dialog("Clear", Clear_Caption, Clear_Text);
  dialog("EnterName", EnterName_Caption, EnterName_Text);
  dialog("LowScore", LowScore_Caption, LowScore_Text);
  dialog("FullScreen", FullScreen_Caption, FullScreen_Text);
  dialog("DailyResult", DailyResult_Caption, DailyResult_Text);

  RawLines.clear();
  FallbackLines.clear();
}

std::string FormatText(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string out;
  size_t at = 0;
  while (at < text.size()) {
    const size_t open = text.find('{', at);
    const size_t close = open == std::string_view::npos ? open : text.find('}', open);
    if (close == std::string_view::npos) break;
    const std::string_view digits = text.substr(open + 1, close - open - 1);
    const bool number = !digits.empty() && digits.size() <= 2 &&
                        digits.find_first_not_of("0123456789") == std::string_view::npos;
    const size_t index = number ? std::stoul(std::string(digits)) : 0;
    out.append(text.substr(at, open - at));
    if (index >= 1 && index <= values.size()) {
      out.append(*(values.begin() + (index - 1)));
      at = close + 1;
    } else {
      out.push_back('{');
      at = open + 1;
    }
  }
  out.append(text.substr(std::min(at, text.size())));
  return out;
}

}  // namespace marblix
