// Script parsing: the commands, their arguments and clear errors.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/game_clock.h"
#include "platform/input.h"
#include "platform/key_codes.h"
#include "platform/script.h"
#include "support/test_files.h"

using platform::ParseScript;
using platform::ScriptCommand;

TEST(Script, ParsesCommandsSkippingCommentsAndBlankLines) {
  std::vector<ScriptCommand> cmds;
  std::string error;
  const std::string script = "# a comment\n\n100 key 27\n  250 mouse 64 210\n300 ldown\n400 shot title.png\n500 quit\n";
  ASSERT_TRUE(ParseScript(script, &cmds, &error)) << error;
  ASSERT_EQ(cmds.size(), 5u);
  EXPECT_EQ(cmds[0].timeMs, 100);
  EXPECT_EQ(cmds[0].verb + cmds[0].args[0], "key27");
  EXPECT_EQ(cmds[1].args, (std::vector<std::string>{"64", "210"}));
  EXPECT_EQ(cmds[1].line, 4);
  EXPECT_EQ(cmds[3].args[0], "title.png");
  EXPECT_EQ(cmds[4].verb, "quit");
}

TEST(Script, BadLinesAreRefusedNamingTheLine) {
  const std::string latest = std::to_string(INT64_MAX / platform::kClockUnitsPerMs);
  const std::string past = std::to_string(INT64_MAX / platform::kClockUnitsPerMs + 1);
  const std::string highestKey = std::to_string(platform::kHighestKeyCode);
  const std::string pastKey = std::to_string(platform::kHighestKeyCode + 1);
  const std::string keys = "1 to " + highestKey;
  using namespace std::string_literals;
  struct Case { std::string script, error; };  // error empty: accepted
  const Case cases[] = {
      {"100 key\n", "line 1: 'key' takes 1 argument(s)"},
      {"10 quit\nsoon key 27\n", "line 2: time 'soon' is not a whole number of milliseconds"},
      {"5 dance\n", "line 1: unknown command 'dance'"},
      {"5 shot ../../etc/passwd\n", "line 1: a shot name is a file name, not a path"},
      {"5\n", "line 1: command missing"},
      {latest + " key 32\n", ""},
      {past + " key 32\n", "line 1: time '" + past + "' is out of range (0 to " + latest + " ms)"},
      {"9223372036854775808 key 32\n", "line 1: time '9223372036854775808' is out of range (0 to " + latest + " ms)"},
      {"10 quit\n20 key 3\0 2 junk\n"s, "line 2: stray byte 0x00"},
      {"100 shot a\x1b.png\n", "line 1: stray byte 0x1B"},
      {"100 key 32\r\n200 key 27\t\n", ""},
      {"100 key 1\n200 key " + highestKey + "\n", ""},
      {"100 key 4294967328\n", "line 1: '4294967328' is out of range for 'key' (" + keys + ")"},
      {"100 key 0\n", "line 1: '0' is out of range for 'key' (" + keys + ")"},
      {"100 key " + pastKey + "\n", "line 1: '" + pastKey + "' is out of range for 'key' (" + keys + ")"},
      {"100 key 3x\n", "line 1: '3x' is not a whole number"},
      {"100 keydown 9\n200 keyup 9\n", ""},
      {"100 mouse -32768 32767\n", ""},
      {"100 mouse 99999999999 0\n", "line 1: '99999999999' is out of range for 'mouse' (-32768 to 32767)"},
      {"100 mouse 5 -32769\n", "line 1: '-32769' is out of range for 'mouse' (-32768 to 32767)"},
      {"# \0 a comment may hold anything\n"s, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    std::vector<ScriptCommand> cmds;
    std::string error;
    EXPECT_EQ(ParseScript(c.script, &cmds, &error), c.error.empty());
    EXPECT_EQ(error, c.error);
  }
}

TEST(Script, ACommandRunsAtTheStepItIsDueNotOneLater) {
  // 100 ms is six flips of the clock exactly (60 units a ms, 1000 a flip).
  const std::string text = "100 mouse 7 9\n";
  const std::vector<uint8_t> bytes(text.begin(), text.end());
  std::string error;
  ASSERT_TRUE(platform::LoadScript(testfiles::WriteTestFile("script-due", "s.txt", &bytes), &error)) << error;
  platform::ClipCursor(0, 0, 640, 480);
  platform::SetCursorPos(1, 1);
  int x = 0, y = 0;
  platform::RunDueScriptCommands(5 * platform::kClockUnitsPerFlip / static_cast<double>(platform::kClockUnitsPerMs));
  platform::GetCursorPos(&x, &y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(1, 1));
  platform::RunDueScriptCommands(6 * platform::kClockUnitsPerFlip / static_cast<double>(platform::kClockUnitsPerMs));
  platform::GetCursorPos(&x, &y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(7, 9));
  EXPECT_FALSE(platform::ScriptPending());
}
