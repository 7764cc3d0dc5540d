// Every table the program reads is split here: as a spreadsheet saves or
// copies it, with quoted cells, and the delimiter guessed once.
#include "engine/table_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace rating {
namespace {

struct SplitCase {
  const char* name;
  std::string text;
  char delimiter;
  std::vector<TableRow> rows;
  std::optional<TableProblem> problem;
  friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
};

class Tables : public testing::TestWithParam<SplitCase> {};

TEST_P(Tables, SplitAsASpreadsheetWritesThem) {
  const SplitCase& c = GetParam();
  const TableCells table = SplitTable(c.text);
  EXPECT_EQ(table.delimiter, c.delimiter);
  ASSERT_EQ(table.rows.size(), c.rows.size());
  for (std::size_t k = 0; k < c.rows.size(); ++k) {
    EXPECT_EQ(table.rows[k].line, c.rows[k].line) << "row " << k;
    EXPECT_EQ(table.rows[k].cells, c.rows[k].cells) << "row " << k;
  }
  ASSERT_EQ(table.problem.has_value(), c.problem.has_value());
  if (c.problem) {
    EXPECT_EQ(table.problem->line, c.problem->line);
    EXPECT_EQ(table.problem->problem, c.problem->problem);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Tables,
    testing::Values(
        SplitCase{"QuotedHeaderWithAComma",
                  "\"Flow (cfs, observed)\"\n100\n",
                  ',',
                  {{1, {"Flow (cfs, observed)"}}, {2, {"100"}}},
                  std::nullopt},
        SplitCase{"Semicolons",
                  "Zeit;Abfluss\n0;1,5\n",
                  ';',
                  {{1, {"Zeit", "Abfluss"}}, {2, {"0", "1,5"}}},
                  std::nullopt},
        SplitCase{"SemicolonsWithAQuotedComma",
                  "\"Q (m3/s, obs)\";T\n1,5;2\n",
                  ';',
                  {{1, {"Q (m3/s, obs)", "T"}}, {2, {"1,5", "2"}}},
                  std::nullopt},
        SplitCase{"CommasWithAQuotedSemicolon", "\"a;b\",c\n", ',', {{1, {"a;b", "c"}}}, std::nullopt},
        SplitCase{"PastedTabsAndCrLf",
                  "0\t100\r\n1\t200\r\n",
                  '\t',
                  {{1, {"0", "100"}}, {2, {"1", "200"}}},
                  std::nullopt},
        SplitCase{
            "BlankLinesLeftOutAndCounted", "\n \nA\n\n1\n", ',', {{3, {"A"}}, {5, {"1"}}}, std::nullopt},
        SplitCase{"BlanksAroundCellsDropped", " 1 , 2 \n", ',', {{1, {"1", "2"}}}, std::nullopt},
        SplitCase{"ALineBreakInsideQuotes",
                  "a,\"x\ny\"\n1,2\n",
                  ',',
                  {{1, {"a", "x\ny"}}, {3, {"1", "2"}}},
                  std::nullopt},
        SplitCase{"DoubledQuotes", "\"say \"\"hi\"\"\"\n", ',', {{1, {"say \"hi\""}}}, std::nullopt},
        SplitCase{"AStrayQuoteStopsAtItsLine",
                  "x\na,b\"c\n3\n",
                  ',',
                  {{1, {"x"}}},
                  TableProblem{2, Message::TableStrayQuote}},
        SplitCase{"AQuoteNeverClosedNamesWhereItsRowBegan",
                  "a\n\n\"open,\n1\n",
                  ',',
                  {{1, {"a"}}},
                  TableProblem{3, Message::TableQuoteNeverClosed}},
        SplitCase{"Empty", "", ',', {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableWords, CountCellsInTheSingularAndPlural) {
  EXPECT_EQ(CellCount(1), "1 cell");
  EXPECT_EQ(CellCount(3), "3 cells");
  EXPECT_EQ(TableDecimalMark(';', ","), ',');
  EXPECT_EQ(TableDecimalMark('\t', ","), ',');
  EXPECT_EQ(TableDecimalMark(',', ","), '.');
  EXPECT_EQ(TableDecimalMark(';', "."), '.');
}

}  // namespace
}  // namespace rating
