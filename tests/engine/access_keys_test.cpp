// The access keys of the window's labels and its button: one letter each,
// none taken twice, each marked where the caption shows it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "layout/form_layout.h"
#include "messages/messages.h"

namespace rating::layout {
namespace {

TEST(AccessKeys, AreUniqueAndMarkALetterOfEachCaption) {
  std::set<char> taken = {kButtonAccessKey};
  EXPECT_EQ(WithAccessKey(Pattern(Message::CaptionButton), kButtonAccessKey), "&Create Rating File");
  for (const FieldPlace& place : kFieldPlaces) {
    EXPECT_TRUE(taken.insert(place.accessKey).second) << place.accessKey << " twice";
    const std::string marked = WithAccessKey(FieldLabel(place.field), place.accessKey);
    const std::size_t at = marked.find('&');
    ASSERT_NE(at, std::string::npos) << marked;
    EXPECT_EQ(std::toupper(static_cast<unsigned char>(marked.at(at + 1))), place.accessKey) << marked;
  }
}

struct MarkCase {
  const char* caption;
  char key;
  const char* marked;
};

TEST(AccessKeys, PreferTheKeysOwnCaseAndDoubleAnAmpersand) {
  for (const MarkCase& c :
       {MarkCase{"Channel Length (mi)", 'L', "Channel &Length (mi)"},
        MarkCase{"Maximum Flow (cfs)", 'X', "Ma&ximum Flow (cfs)"},
        MarkCase{"Smith & Jones", 'J', "Smith && &Jones"}, MarkCase{"No key here", 'Z', "No key here"}}) {
    EXPECT_EQ(WithAccessKey(c.caption, c.key), c.marked);
  }
}

}  // namespace
}  // namespace rating::layout
