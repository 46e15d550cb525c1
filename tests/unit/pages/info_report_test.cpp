// The row model's live rows and the saved report: what a save writes for the rows a page holds.
#include <gtest/gtest.h>

#include "pages/InfoReport.h"

namespace vsm {
namespace {

TEST(InfoTree, ALiveRowFetchesOnEveryDrawAndKeepsTheTextItDrew) {
  TInfoTree tree;
  int reading = 40;
  TInfoRow& row = tree.Add("Temperature");
  row.Live = [&reading] { return std::to_string(reading++); };
  EXPECT_EQ(row.Text, "");  // never drawn
  EXPECT_EQ(tree.DrawValue(row), "40");
  EXPECT_EQ(tree.DrawValue(row), "41");
  EXPECT_EQ(row.Text, "41");
  TInfoRow& fixed = tree.Add("Fixed", "value");
  EXPECT_EQ(tree.DrawValue(fixed), "value");
}

TEST(InfoTree, APageThatSkipsEmptyValuesDrawsNoneForThem) {
  TInfoTree tree;
  TInfoRow& empty = tree.Add("Empty");
  TInfoRow& live = tree.Add("Live");
  std::string next;
  live.Live = [&next] { return next; };
  EXPECT_EQ(tree.DrawValue(empty), "");
  tree.SetValueStyle({330, true});
  EXPECT_EQ(tree.DrawValue(empty), std::nullopt);
  EXPECT_EQ(tree.DrawValue(live), std::nullopt);
  next = "-";
  EXPECT_EQ(tree.DrawValue(live), "-");
}

TEST(InfoTree, UpdatesNestAndAnUnmatchedEndIsIgnored) {
  TInfoTree tree;
  {
    const TInfoTreeUpdate outer(tree);
    const TInfoTreeUpdate inner(tree);
    EXPECT_EQ(tree.UpdateCount(), 2);
  }
  EXPECT_EQ(tree.UpdateCount(), 0);
  tree.EndUpdate();
  EXPECT_EQ(tree.UpdateCount(), 0);
}

TEST(InfoReport, TwoRowsGiveTheCaptionLineAndOneLineEach) {
  TInfoTree tree;
  tree.Add("CPU", "Intel(R) Core(TM) i5-3570K CPU @ 3.40GHz");
  tree.Add("Memory", "7.92 GB");
  EXPECT_EQ(InfoReportText("Hardware Overview", tree),
            "Hardware Overview\r\nCPU,Intel(R) Core(TM) i5-3570K CPU @ 3.40GHz\r\nMemory,7.92 GB\r\n");
}

TEST(InfoReport, ChildrenAreIndentedByFourThenDoublingBlanks) {
  TInfoTree tree;
  TInfoRow& adapter = tree.Add("Realtek PCIe GbE");
  adapter.Add("MAC Address", "00:1A:2B:3C:4D:5E");
  TInfoRow& group = adapter.Add("IP Address");
  TInfoRow& pair = group.Add("IP Address", "192.168.1.20");
  pair.Add("deeper", "x");
  tree.Add("Host Name", "box");
  EXPECT_EQ(InfoReportText("Network Adapter", tree),
            "Network Adapter\r\n"
            "Realtek PCIe GbE,\r\n"
            "    MAC Address,00:1A:2B:3C:4D:5E\r\n"
            "    IP Address,\r\n"
            "        IP Address,192.168.1.20\r\n"
            "                deeper,x\r\n"
            "Host Name,box\r\n");
}

TEST(InfoReport, FieldsWithCommasQuotesOrLineBreaksAreQuoted) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain text", "plain text"},
      {"ASUSTeK COMPUTER INC.", "ASUSTeK COMPUTER INC."},
      {"ASUSTeK Computer, Inc.", "\"ASUSTeK Computer, Inc.\""},
      {"5.25\", 1.2MB", "\"5.25\"\", 1.2MB\""},
      {"3.5\" MO 128Mb", "\"3.5\"\" MO 128Mb\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"Gr\u00F6\u00DFe \u5185\u5B58", "Gr\u00F6\u00DFe \u5185\u5B58"},
      {"", ""},
  };
  for (const auto& [text, written] : cases) EXPECT_EQ(CsvField(text), written) << text;

  TInfoTree tree;
  tree.Add("Disk", "C:\\, D:\\mount").Add("Media, Type", "5.25\", 1.2MB");
  // The indent stays inside a quoted field.
  EXPECT_EQ(InfoReportText("Maker, Inc.", tree),
            "\"Maker, Inc.\"\r\nDisk,\"C:\\, D:\\mount\"\r\n\"    Media, Type\",\"5.25\"\", 1.2MB\"\r\n");
}

TEST(InfoReport, TheFileStartsWithTheUtf8ByteOrderMark) {
  TInfoTree tree;
  tree.Add("Name", "\u00E9");
  const std::vector<uint8_t> bytes = InfoReportBytes("C", tree);
  const std::string expected =
      "\xEF\xBB\xBF"
      "C\r\nName,\u00E9\r\n";
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
}

}  // namespace
}  // namespace vsm
