#include <gtest/gtest.h>

#include <string>

#include "app/UpdateReply.h"

namespace vsm {
namespace {

TEST(UpdateReply, AValidReplyGivesBuildAddressesAndNotes) {
  const auto reply = ParseUpdateReply(
      R"({"stopped":0,"build":128,"blog_url":"https://blog.example/v","url":"https://dl.example/s.exe",)"
      R"("update_info":"Faster start\r\nNew sensors\nFixes\r"})");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->build, 128);
  EXPECT_EQ(reply->blogUrl, "https://blog.example/v");
  EXPECT_EQ(reply->downloadUrl, "https://dl.example/s.exe");
  EXPECT_EQ(reply->verInfo, (std::vector<std::string>{"Faster start", "New sensors", "Fixes"}));
}

TEST(UpdateReply, AStoppedBuildKeepsTheRunningOneButTakesTheTexts) {
  const auto reply = ParseUpdateReply(R"({"stopped":1,"build":"junk","blog_url":"b","url":"u"})");
  ASSERT_TRUE(reply);
  EXPECT_FALSE(reply->build);
  EXPECT_EQ(reply->blogUrl, "b");
  EXPECT_EQ(reply->downloadUrl, "u");
  EXPECT_TRUE(reply->verInfo.empty());
}

TEST(UpdateReply, ABlockPageIsNoUpdate) {
  const auto reply =
      ParseUpdateReply("<html>Website blocked by Malwarebytes {\"stopped\":0,\"build\":9}</html>");
  ASSERT_TRUE(reply);
  EXPECT_FALSE(reply->build);
  EXPECT_EQ(reply->downloadUrl, "Malwarebytes");
}

TEST(UpdateReply, RepliesOfTheWrongShapeChangeNothing) {
  const std::string huge(10 << 20, '7');
  for (const std::string& text : std::vector<std::string>{
           "", "not json", "[1,2]", "{}", "{\"build\":200}", R"({"stopped":"0","build":200})",
           R"({"stopped":0})", R"({"stopped":0,"build":"200"})", R"({"stopped":0,"build":4294967296})",
           R"({"stopped":0,"build":-9223372036854775809})", R"({"stopped":0,"build":2.5})",
           R"({"stopped":0,"build":200,"blog_url":7})", R"({"stopped":0,"build":200,"update_info":[]})",
           R"({"stopped":0,"build":200)", "{\"stopped\":0,\"build\":200,\"url\":\"\xFF\"}",
           "{\"stopped\":0,\"build\":" + huge + "}"}) {
    EXPECT_FALSE(ParseUpdateReply(text)) << text.substr(0, 80);
  }
}

TEST(UpdateReply, OnlyAHigherBuildIsOffered) {
  EXPECT_TRUE(IsUpdateOffered(127, 128));
  EXPECT_FALSE(IsUpdateOffered(127, 127));
  EXPECT_FALSE(IsUpdateOffered(127, 5));
}

}  // namespace
}  // namespace vsm
