#include <gtest/gtest.h>

#include <memory>

#include "monitor/PopupEndProcess.h"

namespace vsm {
namespace {

TEST(PopupEndProcess, TheOutcomeFollowsTheRowAndWhetherItsProcessIsGone) {
  struct Case {
    bool hasProcess;
    bool gone;
    TPopupEndOutcome outcome;
    bool asked;
    bool rowKeepsProcess;
  };
  const Case cases[] = {
      {false, true, TPopupEndOutcome::None, false, false},
      {true, true, TPopupEndOutcome::Ended, true, false},
      {true, false, TPopupEndOutcome::Refused, true, true},  // a protected process or no right to end it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.outcome));
    TProcessItemRef row;
    if (c.hasProcess) {
      row = std::make_shared<TProcessItem>();
      row->ProcessID = 4321;
    }
    bool asked = false;
    uint32_t askedId = 0;
    const TPopupEndOutcome outcome = EndPopupRowProcess(row, [&](TProcessItem* item) {
      asked = true;
      askedId = item->ProcessID;
      return c.gone;
    });
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(asked, c.asked);
    if (asked) {
      EXPECT_EQ(askedId, 4321u);
    }
    EXPECT_EQ(row != nullptr, c.rowKeepsProcess);
  }
}

TEST(PopupEndProcess, AnEndedRowIsNotEndedAgainBeforeTheListIsFilledAgain) {
  TProcessItemRef row = std::make_shared<TProcessItem>();
  int calls = 0;
  const TEndProcessItem end = [&](TProcessItem*) {
    ++calls;
    return true;
  };
  EXPECT_EQ(EndPopupRowProcess(row, end), TPopupEndOutcome::Ended);
  EXPECT_EQ(EndPopupRowProcess(row, end), TPopupEndOutcome::None);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace vsm
