#include "app/AutostartTask.h"

#include <array>

#include "base/text.h"

namespace vsm {

std::string TaskStartBoundary(int year, int month, int day, int hour, int minute, int second) {
  return Format("%04d-%02d-%02dT%02d:%02d:%02d", year, month, day, hour, minute, second);
}

std::string SchtasksCommandLine(std::string_view name, std::string_view program,
                                std::string_view arguments, const TTaskSchedule& schedule) {
  // Appended piece by piece: GCC 12's -O3 sees a false overlap in a chain of operator+.
  std::string line = "schtasks /create /tn \"";
  line.append(name).append("\" /tr \"'").append(program).append("' ").append(arguments).append("\" /RL HIGHEST");
  static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed",
                                                        "Thu", "Fri", "Sat"};
  switch (schedule.trigger) {
    case TTaskTriggerType::ttIdle:
      return line + " /sc onidle /i 10";
    case TTaskTriggerType::ttLogon:
      return line + " /sc onlogon";
    case TTaskTriggerType::ttDaily:
      return line + Format(" /sc daily /st %02d:%02d:%02d", schedule.hour, schedule.minute,
                           schedule.second);
    case TTaskTriggerType::ttMonthly:
      return line + " /sc monthly /mo 1 /d " + std::to_string(schedule.dayOfMonth);
    case TTaskTriggerType::ttWeekly:
      return line + " /sc weekly /d " + kDays[static_cast<size_t>(schedule.dayOfWeek) % 7];
  }
  return line;
}

std::string QuotedPath(std::string_view path) {
  std::string quoted = "\"";
  quoted.append(path).append("\"");
  return quoted;
}

std::string_view UnquotedPath(std::string_view path) {
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    return path.substr(1, path.size() - 2);
  }
  return path;
}

}  // namespace vsm
