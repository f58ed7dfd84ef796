// The string table: value and block entries, comments, trimming, first occurrence, a missing
// file, and a language's file over the root's.
#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "text/qz_strings.h"

namespace marblix {
namespace {

class StringsTest : public ::testing::Test {
 protected:
  TQzStrings Load(const std::string& contents) {
    TQzStrings strings;
    EXPECT_TRUE(strings.LoadStrings(Dir.Write("strings.txt", contents)));
    return strings;
  }
  testing::TTempDir Dir;
};

TEST_F(StringsTest, ValueIsTheNextLineUntouchedWhileTheKeyLineIsTrimmedAndCaseBlind) {
  EXPECT_EQ(Load("$help\nHow to play\n").Help, "How to play");
  EXPECT_EQ(Load("  $HELP  \n  Rules\n").Help, "  Rules");
  EXPECT_EQ(Load("\t$Options\t\r\n Settings \r\n").Options, " Settings ");
  EXPECT_EQ(Load("$proff\rProfessional\r").Proff, "Professional");
}

TEST_F(StringsTest, CommentsLastLinesAndRepeatedKeys) {
  EXPECT_EQ(Load(";$Help\nx\n").Help, "") << "a comment never matches";
  EXPECT_EQ(Load("$Kids\nLittle ones\n$Help").Help, "") << "key on the last line";
  EXPECT_EQ(Load("$Help\nFirst\n$help\nSecond\n").Help, "First") << "first occurrence wins";
  EXPECT_EQ(Load("\n$Normal\nStandard\n").Normal, "Standard") << "empty lines are skipped";
  EXPECT_EQ(Load("$Normal\n;not a comment here\n").Normal, ";not a comment here");
}

TEST_F(StringsTest, BlockSkipsTheLineAfterItsKeyAndEndsAtTheClosingBrace) {
  const TQzStrings braces = Load("@Exit_Text\n{\nQuit?\n\n}\n");
  EXPECT_EQ(braces.Exit_Text, (TStringList{"Quit?", ""}));

  const TQzStrings noBrace = Load("@Exit_Text\nQuit?\nReally?\n}\n");
  EXPECT_EQ(noBrace.Exit_Text, (TStringList{"Really?"}));

  const TQzStrings unclosed = Load("@new_text\n{\n  one\n;two\n");
  EXPECT_EQ(unclosed.New_Text, (TStringList{"  one", ";two"})) << "runs to the end of the file";

  const TQzStrings closingTrimmed = Load("@Old_Text\n{\nline\n   }  \nafter\n");
  EXPECT_EQ(closingTrimmed.Old_Text, (TStringList{"line"}));
}

TEST_F(StringsTest, EveryDialogGetsItsCaptionAndLinesAndTheCaptionIsFixed) {
  const TQzStrings s = Load(
      "$MainCaption\nSomething else\n"
      "$Exit_Caption\nExit\n@Exit_Text\n{\nLeave?\n}\n"
      "$New_Caption\nNew\n@New_Text\n{\nStart over?\n}\n"
      "$Old_Caption\nOld\n@Old_Text\n{\nGo on?\n}\n"
      "$Clear_Caption\nClear\n@Clear_Text\n{\nErase?\n}\n"
      "$EnterName_Caption\nName\n@EnterName_Text\n{\nWho?\n}\n"
      "$LowScore_Caption\nLow\n@LowScore_Text\n{\nPity\n}\n"
      "$FullScreen_Caption\nFull\n@FullScreen_Text\n{\nRestart\n}\n"
      "$HighScores\nBest\n");
  EXPECT_EQ(s.MainCaption, "Marblix v1.00");
  EXPECT_EQ(s.HighScores, "Best");
  const std::vector<std::pair<std::string, TStringList>> dialogs = {
      {s.Exit_Caption, s.Exit_Text},
      {s.New_Caption, s.New_Text},
      {s.Old_Caption, s.Old_Text},
      {s.Clear_Caption, s.Clear_Text},
      {s.EnterName_Caption, s.EnterName_Text},
      {s.LowScore_Caption, s.LowScore_Text},
      {s.FullScreen_Caption, s.FullScreen_Text}};
  const std::vector<std::pair<std::string, TStringList>> expected = {
      {"Exit", {"Leave?"}}, {"New", {"Start over?"}}, {"Old", {"Go on?"}},  {"Clear", {"Erase?"}},
      {"Name", {"Who?"}},   {"Low", {"Pity"}},        {"Full", {"Restart"}}};
  EXPECT_EQ(dialogs, expected);
  EXPECT_TRUE(s.RawLines.empty()) << "the raw lines are dropped after loading";
}

TEST_F(StringsTest, AMissingFileIsLoggedAndLeavesEveryTextEmpty) {
  TQzStrings strings;
  std::vector<std::string> log;
  EXPECT_FALSE(strings.LoadStrings(Dir.File("absent.txt"),
                                   [&log](const std::string& line) { log.push_back(line); }));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find("absent.txt"), std::string::npos);
  EXPECT_EQ(strings.Help, "");
  EXPECT_TRUE(strings.Exit_Text.empty());
  EXPECT_EQ(strings.MainCaption, "Marblix v1.00");
}

// A language's file not yet translated for a newer key shows the root's text for that key only.
TEST_F(StringsTest, KeysALanguagesFileLacksComeFromTheRootsFile) {
  const std::string root =
      Dir.Write("root.txt", "$Help\nInstructions\n$Kids\nKids\n@Exit_Text\n{\nBye\n}\n");
  const std::string own =
      Dir.Write("de.txt", "$Help\nAnleitung\n$Kids\n\n@Exit_Text\n{\nTsch\u00FCss\n");
  TQzStrings strings;
  ASSERT_TRUE(strings.LoadStrings(own, root));
  EXPECT_EQ(strings.Help, "Anleitung");
  EXPECT_EQ(strings.Kids, "") << "translated as empty: kept";
  EXPECT_EQ(strings.Exit_Text, TStringList{"Tsch\u00FCss"}) << "a block cut short ends the file";
  std::vector<std::string> log;
  ASSERT_TRUE(strings.LoadStrings(Dir.File("absent.txt"), root,
                                  [&log](const std::string& line) { log.push_back(line); }));
  EXPECT_EQ(strings.Help, "Instructions");
  ASSERT_EQ(log.size(), 1u);
}

TEST(FormatText, PlaceholdersTakeTheirValuesInAnyOrderAndUnknownOnesStay) {
  EXPECT_EQ(FormatText("{1} / {2}", {"3", "6"}), "3 / 6");
  EXPECT_EQ(FormatText("{2}: {1}, {1}", {"3", "6"}), "6: 3, 3");
  EXPECT_EQ(FormatText("{3} {} {x} {", {"3", "6"}), "{3} {} {x} {");
}

}  // namespace
}  // namespace marblix
