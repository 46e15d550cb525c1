#include <gtest/gtest.h>

#include <string>

#include "app/NewsReply.h"

namespace vsm {
namespace {

std::string Entry(int id, const std::string& expired, const std::string& lang, int type = 1) {
  return "{\"id\":" + std::to_string(id) + ",\"expired\":\"" + expired + "\",\"lang\":\"" + lang +
         "\",\"type\":" + std::to_string(type) + ",\"title\":\"T" + std::to_string(id) +
         "\",\"url\":\"https://news.example/" + std::to_string(id) +
         "\",\"FormWidth\":600,\"FormHeight\":300,\"color\":16711680}";
}

std::string Reply(const std::string& serverTime, const std::vector<std::string>& entries) {
  std::string news;
  for (const std::string& entry : entries) news += (news.empty() ? "" : ",") + entry;
  return "{\"servertime\":\"" + serverTime + "\",\"news\":[" + news + "]}";
}

std::vector<int> Ids(const std::vector<TNewsInfo>& news) {
  std::vector<int> ids;
  for (const TNewsInfo& item : news) ids.push_back(item.id);
  return ids;
}

const TNewsFilter kChinese{",3,40", "0804|1004", false, 0};

TEST(NewsReply, AKeptEntryCarriesEveryField) {
  const auto news = ParseNewsReply(Reply("2024-05-10", {Entry(7, "2024-06-01", "")}), kChinese);
  ASSERT_EQ(news.size(), 1u);
  EXPECT_EQ(news[0].id, 7);
  EXPECT_EQ(news[0].mtype, 1);
  EXPECT_EQ(news[0].title, "T7");
  EXPECT_EQ(news[0].url, "https://news.example/7");
  EXPECT_EQ(news[0].width, 600);
  EXPECT_EQ(news[0].height, 300);
  EXPECT_EQ(news[0].expired, *EncodeDate(2024, 6, 1));
  EXPECT_EQ(news[0].langcode, "");
  EXPECT_EQ(news[0].color, 16711680);
}

TEST(NewsReply, EachSkipRule) {
  const std::string reply =
      Reply("2024-05-10", {
                              Entry(1, "2024-05-10", ""),      // expires on the server's date: kept
                              Entry(2, "2024-05-09", ""),      // expired the day before: dropped
                              Entry(3, "2024-12-31", ""),      // read: dropped
                              Entry(4, "2024-12-31", "1004"),  // one of the language's codes: kept
                              Entry(5, "2024-12-31", "0409"),  // another language: dropped
                              Entry(6, "2024-12-31", "0804"),  // kept
                              Entry(7, "2024-12-31", "", 0),   // type 0, not professional: kept
                              Entry(8, "not a date", ""),      // no expiry date: dropped
                              Entry(30, "2024-12-31", ""),     // "3" and "40" are read, 30 is not: kept
                              Entry(400, "2024-12-31", ""),    // kept
                          });
  EXPECT_EQ(Ids(ParseNewsReply(reply, kChinese)), (std::vector<int>{1, 4, 6, 7, 30, 400}));
  TNewsFilter pro = kChinese;
  pro.isPro = true;
  EXPECT_EQ(Ids(ParseNewsReply(reply, pro)), (std::vector<int>{1, 4, 6, 30, 400}));
}

TEST(NewsReply, LanguageCodesMatchInAnyLetterCase) {
  EXPECT_TRUE(IsCurrentLanguage("0804|1004", "1004"));
  EXPECT_TRUE(IsCurrentLanguage("0804|1004", "0804"));
  EXPECT_TRUE(IsCurrentLanguage("0c04|1004", "0C04"));
  EXPECT_TRUE(IsCurrentLanguage("0C04|1004", "0c04"));
  EXPECT_FALSE(IsCurrentLanguage("0804|1004", "10"));
  EXPECT_FALSE(IsCurrentLanguage("0804|", ""));
  EXPECT_FALSE(IsCurrentLanguage("", "0409"));
}

TEST(NewsReply, AServerTimeThatDoesNotParseIsTheLocalTime) {
  TNewsFilter filter = kChinese;
  filter.localNow = *EncodeDate(2024, 5, 10) + 0.5;  // noon
  const std::string reply = Reply("10.05.2024", {Entry(1, "2024-05-10", ""), Entry(2, "2024-05-11", "")});
  EXPECT_EQ(Ids(ParseNewsReply(reply, filter)), (std::vector<int>{2}));
}

TEST(NewsReply, RepliesWithoutUsableNewsGiveNone) {
  for (const std::string& text : std::vector<std::string>{
           "", "<html>", "[]", R"({"news":[)" + Entry(1, "2030-01-01", "") + "]}",
           Reply("", {Entry(1, "2030-01-01", "")}), R"({"servertime":"2024-01-01","news":{"id":1}})",
           R"({"servertime":5,"news":[]})", R"({"servertime":"2024-01-01"})"}) {
    EXPECT_TRUE(ParseNewsReply(text, kChinese).empty()) << text;
  }
}

TEST(NewsReply, AMalformedEntryEndsTheWalkKeepingWhatCameBefore) {
  for (const std::string& bad : std::vector<std::string>{
           "17", R"({"id":"9","type":1,"expired":"2030-01-01"})", R"({"type":1,"expired":"2030-01-01"})",
           R"({"id":9,"type":1,"expired":"2030-01-01","FormWidth":"wide"})",
           R"({"id":9,"type":1,"expired":"2030-01-01","color":99999999999})",
           R"({"id":9,"type":1,"expired":20300101})"}) {
    const std::string reply =
        Reply("2024-05-10", {Entry(1, "2030-01-01", ""), bad, Entry(2, "2030-01-01", "")});
    EXPECT_EQ(Ids(ParseNewsReply(reply, kChinese)), (std::vector<int>{1})) << bad;
  }
}

TEST(NewsReply, ReadItemsMatchWhole) {
  EXPECT_TRUE(IsMessageRead(",12,15", 15));
  EXPECT_TRUE(IsMessageRead(",12,15", 12));
  EXPECT_FALSE(IsMessageRead(",12,15", 1));
  EXPECT_FALSE(IsMessageRead(",12,15", 5));
  EXPECT_FALSE(IsMessageRead(",125", 12));
  EXPECT_FALSE(IsMessageRead("", 0));
  EXPECT_TRUE(IsMessageRead(",-3", -3));
}

TEST(NewsReply, TheReadListDropsWholeItemsFromItsStart) {
  EXPECT_EQ(AppendReadId("", 5), ",5");
  EXPECT_EQ(AppendReadId(",1,2", 3), ",1,2,3");
  // 50 items of ",1000" are 250 characters; two more push out the two oldest.
  std::string list;
  for (int id = 1000; id < 1050; ++id) list += "," + std::to_string(id);
  list = AppendReadId(list, 7);
  EXPECT_EQ(list.size(), 252u);
  list = AppendReadId(list, 123456);
  EXPECT_EQ(list.size(), 254u);
  EXPECT_EQ(list.substr(0, 10), ",1001,1002");
  EXPECT_EQ(list.substr(list.size() - 9), ",7,123456");
  // A list from the file that does not start with "," loses its first partial item.
  const std::string odd = "9" + std::string(254, '9') + ",1";
  EXPECT_EQ(AppendReadId(odd, 2), ",1,2");
}

}  // namespace
}  // namespace vsm
