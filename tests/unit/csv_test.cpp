// Summaries and the fleet report as a spreadsheet reads them: no field taken for a formula.
#include "cli/csv.h"

#include <gtest/gtest.h>

namespace {

TEST(Csv, FieldsAreQuotedAndGuardedAgainstFormulasAndReadBack) {
  const struct {
    std::string field, written;
  } cases[] = {{"=1+1", "\"'=1+1\""},
               {"+1", "\"'+1\""},
               {"-2+3", "\"'-2+3\""},
               {"@SUM(1)", "\"'@SUM(1)\""},
               {"\tx", "\"'\tx\""},
               {"\rx", "\"'\rx\""},
               {"x=1", "x=1"},
               {"#1", "#1"},
               {"0", "0"},
               {"", ""},
               {"a,\"b\"\r\n", "\"a,\"\"b\"\"\r\n\""}};
  std::vector<ValueList> records;
  for (const auto& c : cases) {
    EXPECT_EQ(CsvRecord({c.field, "x"}), c.written + ",x\r\n") << c.field;
    ASSERT_TRUE(ParseCsv(CsvRecord({c.field, "x"}), records)) << c.field;
    EXPECT_EQ(WithoutFormulaGuard(records.at(0).at(0)), c.field);
  }
  EXPECT_EQ(CsvRecord({"'=x"}), "'=x\r\n");  // a ' already there is kept, and read back as the guard
  EXPECT_EQ(WithoutFormulaGuard("'=x"), "=x");
  EXPECT_TRUE(ParseCsv("a\nb,\"\"\r\n", records));
  EXPECT_EQ(records, std::vector<ValueList>({{"a"}, {"b", ""}}));
  for (const char* malformed : {"\"a", "a\"b", "\"a\"b", "a\rb"})
    EXPECT_FALSE(ParseCsv(malformed, records)) << malformed;
}

}  // namespace
