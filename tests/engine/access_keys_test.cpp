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
  std::set<char> taken = {kButtonAccessKey, kBrowseAccessKey};
  EXPECT_EQ(WithAccessKey(Pattern(Message::CaptionButton), kButtonAccessKey), "&Create Rating File");
  EXPECT_EQ(WithAccessKey(Pattern(Message::CaptionBrowse), kBrowseAccessKey), "Bro&wse\u2026");
  for (const FieldPlace& place : kFieldPlaces) {
    EXPECT_TRUE(taken.insert(place.accessKey).second) << place.accessKey << " twice";
    const std::string marked = WithAccessKey(FieldLabel(place.field), place.accessKey);
    const std::size_t at = marked.find('&');
    ASSERT_NE(at, std::string::npos) << marked;
    EXPECT_EQ(std::toupper(static_cast<unsigned char>(marked.at(at + 1))), place.accessKey) << marked;
  }
}

TEST(AccessKeys, PreferTheKeysOwnCaseAndDoubleAnAmpersand) {
  EXPECT_EQ(WithAccessKey("Channel Length (mi)", 'L'), "Channel &Length (mi)");
  EXPECT_EQ(WithAccessKey("Maximum Flow (cfs)", 'X'), "Ma&ximum Flow (cfs)");
  EXPECT_EQ(WithAccessKey("Smith & Jones", 'J'), "Smith && &Jones");
  EXPECT_EQ(WithAccessKey("No key here", 'Z'), "No key here");
}

}  // namespace
}  // namespace rating::layout
