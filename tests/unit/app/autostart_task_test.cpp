#include <gtest/gtest.h>

#include "app/AutostartTask.h"

namespace vsm {
namespace {

TEST(AutostartTask, SchtasksLineQuotesNameAndActionAndAddsTheSchedule) {
  const char* kProgram = "C:\\Program Files\\Vesk\\VeskSystemMonitor.exe";
  const std::string head =
      "schtasks /create /tn \"Vesk System Monitor.job\" /tr \"'C:\\Program Files\\Vesk\\"
      "VeskSystemMonitor.exe' -os\" /RL HIGHEST";
  struct Case {
    TTaskSchedule schedule;
    const char* tail;
  };
  const Case cases[] = {
      {{TTaskTriggerType::ttLogon}, " /sc onlogon"},
      {{TTaskTriggerType::ttIdle}, " /sc onidle /i 10"},
      {{TTaskTriggerType::ttDaily, 7, 5, 9}, " /sc daily /st 07:05:09"},
      {{TTaskTriggerType::ttMonthly, 0, 0, 0, 28}, " /sc monthly /mo 1 /d 28"},
      {{TTaskTriggerType::ttWeekly, 0, 0, 0, 1, 0}, " /sc weekly /d Sun"},
      {{TTaskTriggerType::ttWeekly, 0, 0, 0, 1, 3}, " /sc weekly /d Wed"},
      {{TTaskTriggerType::ttWeekly, 0, 0, 0, 1, 6}, " /sc weekly /d Sat"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SchtasksCommandLine(kAutostartTaskName, kProgram, kAutostartArguments, c.schedule),
              head + c.tail);
  }
}

TEST(AutostartTask, StartBoundaryAndQuotedPaths) {
  EXPECT_EQ(TaskStartBoundary(2024, 3, 7, 9, 4, 0), "2024-03-07T09:04:00");
  EXPECT_EQ(QuotedPath("C:\\a b\\x.exe"), "\"C:\\a b\\x.exe\"");
  EXPECT_EQ(UnquotedPath("\"C:\\a b\\x.exe\""), "C:\\a b\\x.exe");
  EXPECT_EQ(UnquotedPath("C:\\x.exe"), "C:\\x.exe");
  EXPECT_EQ(UnquotedPath("\""), "\"");
  EXPECT_TRUE(UsesTaskScheduler2(10));
  EXPECT_FALSE(UsesTaskScheduler2(6));
}

}  // namespace
}  // namespace vsm
