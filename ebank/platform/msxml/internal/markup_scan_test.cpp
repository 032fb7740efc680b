#include "ebank/platform/msxml/internal/markup_scan.h"

#include <gtest/gtest.h>

#include <string>

namespace ebank::platform::msxml {
namespace {

std::string TagWith(int attributes, const std::string& value = "") {
  std::string tag = "<T";
  for (int i = 0; i < attributes; ++i) tag += " a" + std::to_string(i) + "='" + value + "'";
  return tag + "/>";
}

TEST(MarkupScanTest, CountsAttributesOfEachTagAgainstTheBound) {
  EXPECT_EQ(FindCrowdedTag(TagWith(3), 3), std::nullopt);
  EXPECT_EQ(FindCrowdedTag("<R>" + TagWith(4) + "</R>", 3), 3u);
  // Separate tags do not add up; text between them does not count.
  EXPECT_EQ(FindCrowdedTag(TagWith(3) + "a=b=c=d" + TagWith(3), 3), std::nullopt);
  EXPECT_EQ(FindCrowdedTag("", 0), std::nullopt);
  EXPECT_EQ(FindCrowdedTag("<a b=1>", 0), 0u);
}

TEST(MarkupScanTest, QuotedValuesNeitherCountNorEndTheTag) {
  // '=' and '>' inside values are data: the tag still has four attributes.
  const std::string tag = "<T a='=>' b=\"'=\" c='\"' d=''>";
  EXPECT_EQ(FindCrowdedTag(tag, 4), std::nullopt);
  EXPECT_EQ(FindCrowdedTag(tag, 3), 0u);
  // A '<' ends any run, quoted or not, so a stray quote cannot hide the next
  // tag's attributes.
  EXPECT_EQ(FindCrowdedTag("<!-- it's -->" + TagWith(4), 3), 13u);
  EXPECT_EQ(FindCrowdedTag("<A x='<B a=1 b=2 c=3 d=4>", 3), 6u);
}

}  // namespace
}  // namespace ebank::platform::msxml
