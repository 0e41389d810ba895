// The command line's computer strengths and the screens as designed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/options.h"

TEST(Options, LevelsNameStrengthsInSeatOrderAndRefuseAnythingElse) {
  struct Case { std::vector<std::string> args; bool ok; std::vector<int> levels; bool classic; };
  const Case cases[] = {
      {{"--autoplay", "3", "--levels", "easy,normal,hard"}, true, {2, 0, 1}, false},
      {{"--levels", "hard", "--classic"}, true, {1}, true},
      {{"--levels", "easy,,hard"}, false, {}, false},
      {{"--levels", "hard,"}, false, {}, false},
      {{"--levels", "Hard"}, false, {}, false},
      {{"--levels", "easy,easy,easy,easy,easy,easy"}, false, {}, false},
      {{"--levels"}, false, {}, false},
  };
  for (const Case& c : cases) {
    std::vector<std::string> words = {"bulwark"};
    words.insert(words.end(), c.args.begin(), c.args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    platform::Options o;
    std::string error;
    const bool ok = platform::ParseOptions(static_cast<int>(argv.size()), argv.data(), &o, &error);
    EXPECT_EQ(ok, c.ok) << c.args.back();
    if (!ok) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(o.levels, c.levels) << c.args.back();
    EXPECT_EQ(o.classic, c.classic) << c.args.back();
  }
}
