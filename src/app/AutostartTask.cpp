#include "app/AutostartTask.h"

#include <array>

#include "base/text.h"

namespace vsm {

std::string TaskStartBoundary(int year, int month, int day, int hour, int minute, int second) {
  return Format("%04d-%02d-%02dT%02d:%02d:%02d", year, month, day, hour, minute, second);
}

std::string SchtasksCommandLine(std::string_view name, std::string_view program, std::string_view arguments,
                                const TTaskSchedule& schedule) {
  // Appended piece by piece: GCC 12's -O3 sees a false overlap in a chain of operator+.
  std::string line = "schtasks /create /tn \"";
  line.append(name)
      .append("\" /tr \"'")
      .append(program)
      .append("' ")
      .append(arguments)
      .append("\" /RL HIGHEST");
  static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  switch (schedule.trigger) {
    case TTaskTriggerType::ttIdle: return line + " /sc onidle /i 10";
    case TTaskTriggerType::ttLogon: return line + " /sc onlogon";
    case TTaskTriggerType::ttDaily:
      return line + Format(" /sc daily /st %02d:%02d:%02d", schedule.hour, schedule.minute, schedule.second);
    case TTaskTriggerType::ttMonthly:
      return line + " /sc monthly /mo 1 /d " + std::to_string(schedule.dayOfMonth);
    case TTaskTriggerType::ttWeekly:
      return line + " /sc weekly /d " + kDays[static_cast<size_t>(schedule.dayOfWeek) % 7];
  }
  return line;
}

std::string WorkItemName(std::string_view taskName) {
  constexpr std::string_view kJob = ".job";
  if (taskName.size() > kJob.size() && EqualsNoCase(taskName.substr(taskName.size() - kJob.size()), kJob)) {
    taskName.remove_suffix(kJob.size());
  }
  return std::string(taskName);
}

namespace {

std::string XmlText(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default: escaped += c; break;
    }
  }
  return escaped;
}

std::string Element(std::string_view name, std::string_view text) {
  std::string element = "<";
  element.append(name).append(">").append(XmlText(text)).append("</").append(name).append(">");
  return element;
}

std::string TriggerXml(const TTaskSchedule& schedule, const std::string& startBoundary) {
  static constexpr std::array<const char*, 7> kDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
  const std::string common = Element("StartBoundary", startBoundary) + Element("Enabled", "true");
  switch (schedule.trigger) {
    case TTaskTriggerType::ttLogon: return "<LogonTrigger id=\"trigger1\">" + common + "</LogonTrigger>";
    case TTaskTriggerType::ttIdle: return "<IdleTrigger id=\"trigger1\">" + common + "</IdleTrigger>";
    case TTaskTriggerType::ttDaily:
      return "<CalendarTrigger id=\"trigger1\">" + common +
             "<ScheduleByDay><DaysInterval>1</DaysInterval></ScheduleByDay></CalendarTrigger>";
    case TTaskTriggerType::ttWeekly:
      return "<CalendarTrigger id=\"trigger1\">" + common + "<ScheduleByWeek><DaysOfWeek><" +
             kDays[static_cast<size_t>(schedule.dayOfWeek) % 7] +
             " /></DaysOfWeek><WeeksInterval>1</WeeksInterval></ScheduleByWeek></CalendarTrigger>";
    case TTaskTriggerType::ttMonthly:
      return "<CalendarTrigger id=\"trigger1\">" + common + "<ScheduleByMonth><DaysOfMonth>" +
             Element("Day", std::to_string(schedule.dayOfMonth)) +
             "</DaysOfMonth><Months><January /><February /><March /><April /><May /><June /><July />"
             "<August /><September /><October /><November /><December /></Months></ScheduleByMonth>"
             "</CalendarTrigger>";
  }
  return {};
}

}  // namespace

std::string TaskDefinitionXml(const TTaskXmlValues& task) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
      "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n";
  xml += "  <RegistrationInfo>" + Element("Author", task.author) + Element("Description", task.description) +
         "</RegistrationInfo>\r\n";
  xml += "  <Triggers>" + TriggerXml(task.schedule, task.startBoundary) + "</Triggers>\r\n";
  xml +=
      "  <Principals><Principal id=\"Author\"><LogonType>InteractiveToken</LogonType>"
      "<RunLevel>HighestAvailable</RunLevel></Principal></Principals>\r\n";
  xml +=
      "  <Settings><AllowStartOnDemand>true</AllowStartOnDemand>"
      "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"
      "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>"
      "<AllowHardTerminate>false</AllowHardTerminate><StartWhenAvailable>true</StartWhenAvailable>"
      "<Enabled>true</Enabled><Hidden>false</Hidden><ExecutionTimeLimit>PT0S</ExecutionTimeLimit>"
      "</Settings>\r\n";
  xml += "  <Actions Context=\"Author\"><Exec>" + Element("Command", task.program) +
         Element("Arguments", task.arguments) + Element("WorkingDirectory", task.workingDirectory) +
         "</Exec></Actions>\r\n";
  xml += "</Task>\r\n";
  return xml;
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
