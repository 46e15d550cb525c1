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
}

TEST(AutostartTask, TaskSchedulerByMajorVersion) {
  // Vista, 7, 8 and 8.1 (6) need the 2.0 task for the highest run level; XP and XP x64 (5) have
  // only the 1.0 work items.
  struct Case {
    unsigned long major;
    bool taskScheduler2;
  };
  for (const Case& c : {Case{5, false}, Case{6, true}, Case{10, true}}) {
    EXPECT_EQ(UsesTaskScheduler2(c.major), c.taskScheduler2) << c.major;
  }
}

TEST(AutostartTask, WorkItemsDropTheJobEnding) {
  EXPECT_EQ(WorkItemName(kAutostartTaskName), "Vesk System Monitor");
  EXPECT_EQ(WorkItemName("Other.JOB"), "Other");
  EXPECT_EQ(WorkItemName("Plain"), "Plain");
  EXPECT_EQ(WorkItemName(".job"), ".job");
}

TEST(AutostartTask, TheDefinitionCarriesEveryFixedValueEscaped) {
  TTaskXmlValues task;
  task.author = kAutostartAuthor;
  task.description = kAutostartDescription;
  task.program = "C:\\R&D <x>\\VeskSystemMonitor.exe";
  task.arguments = kAutostartArguments;
  task.workingDirectory = "C:\\R&D <x>";
  task.startBoundary = TaskStartBoundary(2024, 5, 10, 8, 30, 0);
  const std::string xml = TaskDefinitionXml(task);
  for (const char* part :
       {"<Author>Brantor Ltd.</Author>", "<Description>Create by Vesk System Monitor.</Description>",
        "<LogonTrigger "
        "id=\"trigger1\"><StartBoundary>2024-05-10T08:30:00</StartBoundary><Enabled>true</Enabled>"
        "</LogonTrigger>",
        "<LogonType>InteractiveToken</LogonType><RunLevel>HighestAvailable</RunLevel>",
        "<AllowStartOnDemand>true</AllowStartOnDemand>",
        "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
        "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>",
        "<AllowHardTerminate>false</AllowHardTerminate>", "<StartWhenAvailable>true</StartWhenAvailable>",
        "<Enabled>true</Enabled><Hidden>false</Hidden>", "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>",
        "<Exec><Command>C:\\R&amp;D &lt;x&gt;\\VeskSystemMonitor.exe</Command><Arguments>-os</Arguments>"
        "<WorkingDirectory>C:\\R&amp;D &lt;x&gt;</WorkingDirectory></Exec>"}) {
    EXPECT_NE(xml.find(part), std::string::npos) << part << "\n" << xml;
  }
  EXPECT_EQ(xml.find("R&D"), std::string::npos);
}

TEST(AutostartTask, OtherSchedulesBecomeTheirTriggers) {
  struct Case {
    TTaskSchedule schedule;
    const char* trigger;
  };
  const Case cases[] = {
      {{TTaskTriggerType::ttIdle}, "<IdleTrigger id=\"trigger1\">"},
      {{TTaskTriggerType::ttDaily, 7, 5, 9}, "<ScheduleByDay><DaysInterval>1</DaysInterval></ScheduleByDay>"},
      {{TTaskTriggerType::ttWeekly, 0, 0, 0, 1, 3}, "<DaysOfWeek><Wednesday /></DaysOfWeek>"},
      {{TTaskTriggerType::ttMonthly, 0, 0, 0, 28}, "<DaysOfMonth><Day>28</Day></DaysOfMonth>"},
  };
  for (const Case& c : cases) {
    TTaskXmlValues task;
    task.schedule = c.schedule;
    EXPECT_NE(TaskDefinitionXml(task).find(c.trigger), std::string::npos) << c.trigger;
  }
}

}  // namespace
}  // namespace vsm
