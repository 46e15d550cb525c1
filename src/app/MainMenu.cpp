#include "app/MainMenu.h"

namespace vsm {

namespace {

constexpr const char* kBuiltInCaptions[kMainMenuItemCount] = {
    "Online Help",    "Forum",          "Homepage", "Contact Us", "Check for Updates",
    "Check for News", "Run on Startup", "Language", "About"};

}  // namespace

std::vector<TMainMenuEntry> MainMenuEntries(
    const std::function<std::string(const std::string& key, const std::string& builtIn)>& translate,
    bool autoUpdate, bool autostart) {
  std::vector<TMainMenuEntry> entries;
  for (int tag = 1; tag <= kMainMenuItemCount; ++tag) {
    TMainMenuEntry entry;
    entry.tag = tag;
    // Tag 6 once was "Check for News"; its place is a separator now.
    entry.caption = tag == kMenuNewsSeparator
                        ? "-"
                        : translate("MenuItem" + std::to_string(tag), kBuiltInCaptions[tag - 1]);
    entry.isCheckItem = tag == kMenuCheckUpdates || tag == kMenuAutostart;
    entry.checked = (tag == kMenuCheckUpdates && autoUpdate) || (tag == kMenuAutostart && autostart);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string MainMenuAddress(int tag, const std::string& webSite, const std::string& forumSite) {
  switch (tag) {
    case kMenuHelp: return webSite + "/PCE/Help/vesksystemmonitor";
    case kMenuForum: return forumSite + "/";
    case kMenuHomepage: return webSite + "/";
    case kMenuContact: return webSite + "/help.html";
    default: return {};
  }
}

std::vector<TLanguageChoice> LanguageChoices(const std::vector<std::string>& baseNames,
                                             const std::function<std::string(const std::string&)>& nativeName,
                                             const std::string& currentLangFile) {
  std::vector<TLanguageChoice> choices;
  for (const auto& name : baseNames) {
    std::string caption = nativeName(name);
    choices.push_back({name, caption.empty() ? name : caption,
                       !name.empty() && currentLangFile.find(name) != std::string::npos});
  }
  return choices;
}

}  // namespace vsm
