// Script parsing: the commands, their arguments and clear errors.
#include <gtest/gtest.h>

#include "platform/script.h"

using platform::ParseScript;
using platform::ScriptCommand;

TEST(Script, ParsesCommandsSkippingCommentsAndBlankLines) {
  std::vector<ScriptCommand> cmds;
  std::string error;
  ASSERT_TRUE(ParseScript("# a comment\n\n100 key 27\n  250 mouse 64 210\n300 ldown\n400 shot title.png\n500 quit\n",
                          &cmds, &error))
      << error;
  ASSERT_EQ(cmds.size(), 5u);
  EXPECT_EQ(cmds[0].timeMs, 100);
  EXPECT_EQ(cmds[0].verb, "key");
  EXPECT_EQ(cmds[0].args, std::vector<std::string>{"27"});
  EXPECT_EQ(cmds[1].args, (std::vector<std::string>{"64", "210"}));
  EXPECT_EQ(cmds[1].line, 4);
  EXPECT_EQ(cmds[3].args[0], "title.png");
  EXPECT_EQ(cmds[4].verb, "quit");
}

TEST(Script, RefusesBadLinesNamingTheLine) {
  std::vector<ScriptCommand> cmds;
  std::string error;
  EXPECT_FALSE(ParseScript("100 key\n", &cmds, &error));
  EXPECT_EQ(error, "line 1: 'key' takes 1 argument(s)");
  EXPECT_FALSE(ParseScript("10 quit\nsoon key 27\n", &cmds, &error));
  EXPECT_EQ(error, "line 2: time 'soon' is not a whole number of milliseconds");
  EXPECT_FALSE(ParseScript("-5 quit\n", &cmds, &error));
  EXPECT_FALSE(ParseScript("5 dance\n", &cmds, &error));
  EXPECT_EQ(error, "line 1: unknown command 'dance'");
  EXPECT_FALSE(ParseScript("5 mouse 3 x\n", &cmds, &error));
  EXPECT_EQ(error, "line 1: 'x' is not a whole number");
  EXPECT_FALSE(ParseScript("5 shot ../../etc/passwd\n", &cmds, &error));
  EXPECT_FALSE(ParseScript("5\n", &cmds, &error));
  EXPECT_EQ(error, "line 1: command missing");
}
