#include "engine/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace rating {
namespace {

// The bytes of a table file and the UTF-8 text read from them, or the first
// line that is neither UTF-8 nor UTF-16.
struct DecodeCase {
  const char* name;
  std::string bytes;
  std::string utf8;
  int badLine;
};

void PrintTo(const DecodeCase& row, std::ostream* out) { *out << row.name; }

class TableTexts : public testing::TestWithParam<DecodeCase> {};

TEST_P(TableTexts, AreUtf8OrNameTheirFirstBadLine) {
  const TableText text = DecodeTableText(GetParam().bytes);
  EXPECT_EQ(text.utf8, GetParam().utf8);
  EXPECT_EQ(text.badLine, GetParam().badLine);
}

using std::string_literals::operator""s;

INSTANTIATE_TEST_SUITE_P(
    Encodings, TableTexts,
    testing::Values(DecodeCase{"Empty", "", "", 0},
                    DecodeCase{"Utf8", "a,\xC3\x9F\n\xF0\x9F\x8C\x8A\n", "a,\xC3\x9F\n\xF0\x9F\x8C\x8A\n", 0},
                    DecodeCase{"Utf8MarkDropped", "\xEF\xBB\xBFtitle\n", "title\n", 0},
                    DecodeCase{"Utf16LittleEndian", "\xFF\xFES\0\xDF\0\n\0"s, "S\xC3\x9F\n", 0},
                    DecodeCase{"Utf16BigEndian", "\xFE\xFF\0S\0\xDF\0\n"s, "S\xC3\x9F\n", 0},
                    DecodeCase{"Utf16SurrogatePair", "\xFF\xFE\x3C\xD8\x0A\xDF"s, "\xF0\x9F\x8C\x8A", 0},
                    DecodeCase{"Utf16LoneLeadSurrogate",
                               "\xFF\xFE"
                               "a\0\n\0\x3C\xD8"
                               "b\0"s,
                               "", 2},
                    DecodeCase{"Utf16LoneTrailSurrogate", "\xFF\xFE\x0A\xDF"s, "", 1},
                    DecodeCase{"Utf16HalfAUnit",
                               "\xFF\xFE"
                               "a\0\n\0b"s,
                               "", 2},
                    DecodeCase{"Windows1252OnLineThree",
                               "title\nok\nStra\xDF"
                               "e\n",
                               "", 3},
                    DecodeCase{"EncodedSurrogate", "\xED\xA0\x80", "", 1},
                    DecodeCase{"Overlong", "a\n\xC0\xAF", "", 2},
                    DecodeCase{"CutShortAtTheEnd", "\xE2\x80", "", 1}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rating
