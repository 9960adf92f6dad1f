// The export's cells: quoted where CSV needs it, and never run as a formula by a spreadsheet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scores/admin/AdminCommands.h"

namespace brinecast::scores {
namespace {

struct CellCase {
  std::string text;
  std::string cell;
};

TEST(CsvField, QuotesWhereNeededAndDisarmsFormulas) {
  const std::vector<CellCase> cases = {
      {"Ann", "Ann"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"=1+1", "'=1+1"},
      {"@SUM(1+1)", "'@SUM(1+1)"},
      {"+44", "'+44"},
      {"-2", "'-2"},
      {"\tx", "'\tx"},
      {"\r=1", "\"'\r=1\""},
      {"=HYPERLINK(\"x\",\"y\")", "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},
      {"a=1", "a=1"},  // only the first character makes a formula
      {"Bob-", "Bob-"},
  };
  for (const CellCase& c : cases) EXPECT_EQ(CsvField(c.text), c.cell) << c.text;
}

}  // namespace
}  // namespace brinecast::scores
