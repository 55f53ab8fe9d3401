#include "cli/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Parsed {
  OptionMap options;
  int count;
};

Parsed Parse(std::vector<std::string> words) {
  words.insert(words.begin(), "tessamin");
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  Parsed parsed;
  parsed.options["-stale"] = {"left from before"};
  parsed.count = ParseOptions(parsed.options, static_cast<int>(argv.size()), argv.data());
  return parsed;
}

TEST(ParseOptions, NothingAfterTheProgramPathGivesAnEmptyMap) {
  Parsed parsed = Parse({});
  EXPECT_EQ(parsed.count, 0);
  EXPECT_TRUE(parsed.options.empty());
}

TEST(ParseOptions, ValueWordsBeforeTheFirstOptionAreDropped) {
  Parsed parsed = Parse({"stray", "", "-5"});
  EXPECT_EQ(parsed.count, 0);
  parsed = Parse({"stray", "-delete", "A", "B"});
  EXPECT_EQ(parsed.count, 1);
  EXPECT_EQ(parsed.options["-delete"], (ValueList{"A", "B"}));
}

TEST(ParseOptions, OptionWordsInARowAndAtTheEndHaveEmptyLists) {
  Parsed parsed = Parse({"-nics", "-aps"});
  EXPECT_EQ(parsed.count, 2);
  EXPECT_TRUE(parsed.options["-nics"].empty());
  EXPECT_TRUE(parsed.options["-aps"].empty());
}

TEST(ParseOptions, RepeatedOptionCollectsAllItsValuesInOrder) {
  Parsed parsed = Parse({"-delete", "A", "-aps", "-delete", "B", "C"});
  EXPECT_EQ(parsed.count, 2);
  EXPECT_EQ(parsed.options["-delete"], (ValueList{"A", "B", "C"}));
}

TEST(ParseOptions, EmptyArgumentDirectlyAfterAnOptionLeavesNoTrace) {
  EXPECT_EQ(Parse({"-delete", "", "B"}).options["-delete"], (ValueList{"B"}));
  EXPECT_EQ(Parse({"-delete", "A", "", "B"}).options["-delete"], (ValueList{"A", "", "B"}));
}

TEST(ParseOptions, WhatMakesAnOptionWord) {
  Parsed parsed = Parse({"-delete", "-5", "-", "--aps", "-Enable", "-enable", "-\x80"});
  EXPECT_EQ(parsed.options["-delete"], (ValueList{"-5", "-"}));
  EXPECT_TRUE(HasOption(parsed.options, "--aps"));
  EXPECT_FALSE(HasOption(parsed.options, "-aps"));
  EXPECT_TRUE(HasOption(parsed.options, "-Enable"));
  EXPECT_TRUE(HasOption(parsed.options, "-enable"));
  EXPECT_TRUE(HasOption(parsed.options, "-\x80"));
  EXPECT_EQ(parsed.count, 5);
}

TEST(OptionValue, GivesEmptyPastTheEndAndForAbsentOptions) {
  Parsed parsed = Parse({"-add", "one", "two"});
  EXPECT_EQ(OptionValue(parsed.options, "-add", 1), "two");
  EXPECT_EQ(OptionValue(parsed.options, "-add", 2), "");
  EXPECT_EQ(OptionValue(parsed.options, "-delete", 0), "");
  EXPECT_EQ(OptionValue(parsed.options, "-add", -1), "");
}

TEST(ListContains, ExactByteComparison) {
  EXPECT_FALSE(ListContains({}, "x"));
  EXPECT_TRUE(ListContains({"a", "x", "x"}, "x"));
  EXPECT_FALSE(ListContains({"X"}, "x"));
  EXPECT_FALSE(ListContains({"x "}, "x"));
  EXPECT_TRUE(ListContains({""}, ""));
}

}  // namespace
