#pragma once
// The log-on task that starts the program in the background: its fixed values and the rules
// that do not need the scheduler itself.
#include <string>
#include <string_view>

namespace vsm {

inline constexpr const char* kAutostartTaskName = "Vesk System Monitor.job";
inline constexpr const char* kAutostartDescription = "Create by Vesk System Monitor.";
inline constexpr const char* kAutostartAuthor = "Brantor Ltd.";
inline constexpr const char* kAutostartArguments = "-os";
inline constexpr const char* kRootTaskFolder = "\\";

enum class TTaskTriggerType { ttLogon, ttDaily, ttWeekly, ttMonthly, ttIdle };

// When and how often a task runs; only the fields of its trigger type count.
struct TTaskSchedule {
  TTaskTriggerType trigger = TTaskTriggerType::ttLogon;
  int hour = 0, minute = 0, second = 0;  // daily: the start time
  int dayOfMonth = 1;                    // monthly: 1..31
  int dayOfWeek = 0;                     // weekly: 0 = Sunday .. 6 = Saturday
};

// The Task Scheduler 2.0 interface is used from Windows Vista on (true major version 6): only its
// tasks can run a program with the highest run level. Windows XP, which has no elevation, gets
// the 1.0 work item.
inline bool UsesTaskScheduler2(unsigned long majorVersion) { return majorVersion >= 6; }

// "yyyy-mm-ddThh:mm:ss", the start boundary of a trigger.
std::string TaskStartBoundary(int year, int month, int day, int hour, int minute, int second);

// The "schtasks" command line that registers the task when the interface refuses:
// schtasks /create /tn "<name>" /tr "'<program>' <arguments>" /RL HIGHEST followed by the
// schedule.
std::string SchtasksCommandLine(std::string_view name, std::string_view program, std::string_view arguments,
                                const TTaskSchedule& schedule);

// The Task Scheduler 1.0 item name of a task: its file is "<name>.job" in the Tasks folder, so a
// task name ending in ".job" loses that ending (the interface refuses names with it).
std::string WorkItemName(std::string_view taskName);

// The task's definition in the Task Scheduler's XML form: author and description; a principal
// with the interactive-token log-on and the highest run level; started on demand and when
// available, on batteries too, enabled, not hidden, no hard termination, no time limit ("PT0S");
// one program action with its working folder; one trigger "trigger1" of the schedule's kind
// from `startBoundary` (TaskStartBoundary). Text is escaped for XML.
struct TTaskXmlValues {
  std::string author;
  std::string description;
  std::string program;
  std::string arguments;
  std::string workingDirectory;
  std::string startBoundary;
  TTaskSchedule schedule;
};
std::string TaskDefinitionXml(const TTaskXmlValues& task);

// A work item's application name is written with quotes around the path; a stored name is
// compared without them, so that items written either way count as ours.
std::string QuotedPath(std::string_view path);
std::string_view UnquotedPath(std::string_view path);

}  // namespace vsm
