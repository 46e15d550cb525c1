#include <gtest/gtest.h>

#include "FakeFilterEngine.h"
#include "software/wfp/ExecutableBlockList.h"

namespace vsm {
namespace {

using test::FakeFilterEngine;

const std::string kPath = "C:\\Program Files\\App\\app.exe";

TEST(ExecutableBlockList, BlockAddsOneFilterPerLayerAndAllowRemovesThem) {
  FakeFilterEngine::State state;
  TExecutableBlockList list(std::make_unique<FakeFilterEngine>(state));
  EXPECT_TRUE(list.Available());
  EXPECT_FALSE(list.IsBlocked(kPath));
  EXPECT_TRUE(list.Block(kPath));
  EXPECT_EQ(state.live.size(), 4u);
  EXPECT_EQ(state.paths.front(), kPath);
  EXPECT_TRUE(list.IsBlocked("c:\\program files\\APP\\App.exe"));  // paths ignore letter case
  EXPECT_FALSE(list.IsBlocked("C:\\Other\\app.exe"));
  EXPECT_TRUE(list.Block(kPath));  // already blocked: nothing added
  EXPECT_EQ(state.adds, 4);
  EXPECT_TRUE(list.Allow(kPath));
  EXPECT_TRUE(state.live.empty());
  EXPECT_FALSE(list.IsBlocked(kPath));
  EXPECT_TRUE(list.Allow(kPath));  // not blocked: nothing to do
}

TEST(ExecutableBlockList, AFailedFilterTakesBackThoseAlreadyAdded) {
  FakeFilterEngine::State state;
  state.failAddNumber = 2;
  TExecutableBlockList list(std::make_unique<FakeFilterEngine>(state));
  EXPECT_FALSE(list.Block(kPath));
  EXPECT_TRUE(state.live.empty());
  EXPECT_FALSE(list.IsBlocked(kPath));
  EXPECT_TRUE(list.Block(kPath));  // the next attempt succeeds
  EXPECT_EQ(state.live.size(), 4u);
}

TEST(ExecutableBlockList, FiltersThatCannotBeDeletedStillCountAsABlock) {
  FakeFilterEngine::State state;
  TExecutableBlockList list(std::make_unique<FakeFilterEngine>(state));
  ASSERT_TRUE(list.Block(kPath));
  state.refuseDelete = true;
  EXPECT_FALSE(list.Allow(kPath));
  EXPECT_TRUE(list.IsBlocked(kPath));
  state.refuseDelete = false;
  EXPECT_TRUE(list.Allow(kPath));
  EXPECT_FALSE(list.IsBlocked(kPath));
}

TEST(ExecutableBlockList, WithoutAnEngineOrAPathNothingIsBlocked) {
  TExecutableBlockList none(nullptr);
  EXPECT_FALSE(none.Available());
  EXPECT_FALSE(none.Block(kPath));
  EXPECT_FALSE(none.Allow(kPath));
  EXPECT_FALSE(none.IsBlocked(kPath));
  FakeFilterEngine::State state;
  TExecutableBlockList list(std::make_unique<FakeFilterEngine>(state));
  EXPECT_FALSE(list.Block(""));
  EXPECT_EQ(state.adds, 0);
}

}  // namespace
}  // namespace vsm
