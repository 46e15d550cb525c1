#include <gtest/gtest.h>

#include <algorithm>

#include "software/page/ProcessPageRules.h"
#include "software/page/ProcessRows.h"

namespace vsm {
namespace {

TProcessItemRef Item(uint32_t pid, const char* name, float cpu, bool system = false, int64_t in = -1) {
  auto item = std::make_shared<TProcessItem>();
  item->ProcessID = pid;
  item->ExeName = name;
  item->CPUuse = cpu;
  item->isSystem = system;
  item->byte_in = in;
  return item;
}

std::vector<uint32_t> Order(const TProcessRows& rows) {
  std::vector<uint32_t> ids;
  for (int index : rows.Visible()) ids.push_back(rows.Rows()[static_cast<size_t>(index)].item->ProcessID);
  return ids;
}

TEST(ProcessPageRules, FirstClickDescendingThenReversedAndKeptByRefresh) {
  EXPECT_FALSE(SortAscendingAfterClick(TSortMark::None));
  EXPECT_FALSE(SortAscendingAfterClick(TSortMark::Down));
  EXPECT_TRUE(SortAscendingAfterClick(TSortMark::Up));
  EXPECT_EQ(NextSortMark(TSortMark::None), TSortMark::Up);
  EXPECT_EQ(NextSortMark(TSortMark::Up), TSortMark::Down);
  EXPECT_EQ(NextSortMark(TSortMark::Down), TSortMark::Up);
  // The mark a click leaves sorts a refresh the way the click did.
  for (TSortMark previous : {TSortMark::None, TSortMark::Up, TSortMark::Down}) {
    EXPECT_EQ(SortAscendingForMark(NextSortMark(previous)), SortAscendingAfterClick(previous));
  }
}

TEST(ProcessPageRules, CpuWithinOnePointTiesAndTiesGoByProcessIdBothWays) {
  TProcessList list;
  list.Add(Item(30, "b", 12.9f));
  list.Add(Item(10, "a", 12.3f));
  list.Add(Item(20, "c", 50.0f));
  list.Add(Item(5, "d", 0.0f));
  TProcessRows rows;
  rows.ApplyFilter(true, false);
  rows.Sync(list);
  rows.SortBy(1, false);
  EXPECT_EQ(Order(rows), (std::vector<uint32_t>{20, 10, 30, 5}));
  rows.SortBy(1, true);
  EXPECT_EQ(Order(rows), (std::vector<uint32_t>{5, 10, 30, 20}));
  rows.SortBy(0, true);  // names ignore case
  EXPECT_EQ(Order(rows), (std::vector<uint32_t>{10, 30, 20, 5}));
}

TEST(ProcessPageRules, UnknownTrafficSortsLowest) {
  TProcessRow known{Item(1, "a", 0), {}}, unknown{Item(2, "b", 0), {}};
  known.figures.byte_in = 0;
  unknown.figures.byte_in = -1;
  EXPECT_GT(CompareProcessKey(known, unknown, 3), 0);
  known.item->ExeUser = "SYSTEM";
  unknown.item->ExeUser = "system";
  EXPECT_EQ(CompareProcessKey(known, unknown, 7), 0);
}

// The engine's worker rewrites the figures while the page works on them: the page sorts from the
// copy it took under the lock, and follows the items only at its next refresh.
TEST(ProcessPageRules, RowsSortFromTheFiguresCopiedAtTheLastRefresh) {
  TProcessList list;
  list.Add(Item(1, "a", 80.0f, false, 5'000'000'000));
  list.Add(Item(2, "b", 10.0f, false, 7));
  TProcessRows rows;
  rows.Sync(list);
  list.GetItem(0)->CPUuse = 0.0f;
  list.GetItem(1)->CPUuse = 90.0f;
  list.GetItem(0)->byte_in = -1;
  rows.SortBy(1, false);
  EXPECT_EQ(Order(rows), (std::vector<uint32_t>{1, 2}));
  EXPECT_EQ(rows.Rows()[0].figures.byte_in, 5'000'000'000);
  rows.ApplyFilter(false, true);  // net only: the copy still has traffic
  EXPECT_EQ(Order(rows), (std::vector<uint32_t>{1, 2}));
  rows.Sync(list);
  rows.SortBy(1, false);
  EXPECT_EQ(Order(rows), (std::vector<uint32_t>{2, 1}));
  rows.ApplyFilter(false, true);
  EXPECT_EQ(Order(rows), (std::vector<uint32_t>{2}));
}

TEST(ProcessPageRules, FilterVisibility) {
  struct Case {
    bool system;
    int64_t in;
    bool showSystem, netOnly, visible;
  };
  const Case cases[] = {
      {false, -1, false, false, true}, {true, -1, false, false, false}, {true, -1, true, false, true},
      {false, -1, false, true, false}, {false, 0, false, true, true},   {true, 100, false, true, false},
      {true, 100, true, true, true},
  };
  for (const auto& c : cases) {
    auto item = Item(1, "x", 0, c.system, c.in);
    EXPECT_EQ(ProcessRowVisible({item, FiguresOf(*item)}, c.showSystem, c.netOnly), c.visible)
        << c.system << c.in << c.showSystem << c.netOnly;
  }
}

TEST(ProcessPageRules, SyncKeepsRowsAddsNewDropsGoneAndCountsHiddenRows) {
  TProcessList list;
  list.Add(Item(1, "a", 0));
  list.Add(Item(2, "svc", 0, true));
  TProcessRows rows;
  EXPECT_TRUE(rows.Sync(list));
  EXPECT_EQ(rows.Visible().size(), 1u);  // the system process is hidden but counted
  EXPECT_EQ(rows.Counts().all, 2);
  EXPECT_EQ(rows.Counts().user, 1);
  EXPECT_EQ(rows.Counts().system, 1);
  const TProcessItem* kept = rows.Rows()[0].item.get();
  EXPECT_FALSE(rows.Sync(list));
  EXPECT_EQ(rows.Rows()[0].item.get(), kept);
  list.Remove(kept);
  list.Add(Item(3, "c", 0));
  EXPECT_TRUE(rows.Sync(list));
  ASSERT_EQ(rows.Rows().size(), 2u);
  EXPECT_EQ(Order(rows), (std::vector<uint32_t>{3}));
  // Without any traffic source "net only" hides every row, new ones too.
  rows.ApplyFilter(true, true);
  EXPECT_TRUE(rows.Visible().empty());
  list.Add(Item(4, "d", 0));
  rows.Sync(list);
  EXPECT_TRUE(rows.Visible().empty());
}

TEST(ProcessPageRules, LongChurnKeepsExactlyOneRowPerListedItem) {
  TProcessList list;
  uint32_t next = 1;
  for (; next <= 50; ++next) list.Add(Item(next, "p", 0));
  TProcessRows rows;
  rows.ApplyFilter(true, false);
  for (int round = 0; round < 400; ++round) {
    list.Delete(round * 7 % list.Count());
    if (round % 3 == 0) list.Delete(round % list.Count());
    list.Add(Item(next++, "p", 0));
    if (round % 2 == 0) list.Add(Item(next++, "p", 0));
    rows.Sync(list);
    ASSERT_EQ(rows.Rows().size(), list.Items().size()) << "round " << round;
    for (size_t i = 0; i < rows.Rows().size(); ++i) {
      ASSERT_TRUE(std::any_of(list.Items().begin(), list.Items().end(),
                              [&](const TProcessItemRef& item) { return item == rows.Rows()[i].item; }));
    }
  }
}

TEST(ProcessPageRules, SummaryPiecesAndBrokenTextFallsBack) {
  const auto pieces = SummaryPieces(kTotalProcessDefault);
  EXPECT_EQ(pieces[0], "Find ");
  EXPECT_EQ(pieces[1], " process, includes ");
  EXPECT_EQ(pieces[2], " user process and ");
  EXPECT_EQ(pieces[3], " system process.");
  const auto german = SummaryPieces("%d Prozesse, %d Benutzer, %d System");
  EXPECT_EQ(german[0], "");
  EXPECT_EQ(german[3], " System");
  for (const char* broken : {"", "Find %d process", "%d and %s and %d", "Find %i, %i, %i"}) {
    EXPECT_EQ(SummaryPieces(broken), pieces) << broken;
  }
}

TEST(ProcessPageRules, SummaryPiecesTakeTheLastThreePlaces) {
  struct Case {
    const char* text;
    std::array<std::string, 4> pieces;
  };
  const Case cases[] = {
      {"%d%d%d", {"", "", "", ""}},
      {"a %d b %d c %d d %d e", {"a %d b ", " c ", " d ", " e"}},
      {"%d, %d, %ddd!", {"", ", ", ", ", "!"}},
      {"100%% %d / %d / %d", {"100%% ", " / ", " / ", ""}},
      {"%d%d %d", {"", "", " ", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(SummaryPieces(c.text), c.pieces) << c.text;
}

TEST(ProcessPageRules, SummaryOfAVeryLongTextIsFound) {
  // A language file may hold anything; tens of thousands of characters must neither overflow the
  // stack nor take long.
  const std::string filler(100000, 'x');
  const auto pieces = SummaryPieces(filler + "%d" + filler + "%d" + filler + "%d" + filler);
  EXPECT_EQ(pieces[0], filler);
  EXPECT_EQ(pieces[3], filler);
  EXPECT_EQ(SummaryPieces(std::string(100000, '%')), SummaryPieces(kTotalProcessDefault));
}

}  // namespace
}  // namespace vsm
