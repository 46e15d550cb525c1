#pragma once
// The main window's menu and tabs as data: the nine menu items with their tags and built-in
// captions, the web pages behind the first four, the language radio items, the tab group and its
// icon indices, and when a web address falls back to the browser program.
#include <functional>
#include <string>
#include <vector>

namespace vsm {

enum TMainMenuTag : int {
  kMenuHelp = 1,
  kMenuForum = 2,
  kMenuHomepage = 3,
  kMenuContact = 4,
  kMenuCheckUpdates = 5,
  kMenuNewsSeparator = 6,
  kMenuAutostart = 7,
  kMenuLanguage = 8,
  kMenuAbout = 9
};
inline constexpr int kMainMenuItemCount = 9;

struct TMainMenuEntry {
  int tag = 0;
  std::string caption;  // "-" for the separator
  bool checked = false;
  bool isCheckItem = false;
};

// Items 1 to 9 with captions from `translate(key, builtIn)` ("MenuItem%d"), item 6 a separator,
// items 5 and 7 check items showing the two states.
std::vector<TMainMenuEntry> MainMenuEntries(
    const std::function<std::string(const std::string& key, const std::string& builtIn)>& translate,
    bool autoUpdate, bool autostart);

// The web page of items 1 to 4 on the given hosts; empty for other tags.
std::string MainMenuAddress(int tag, const std::string& webSite, const std::string& forumSite);

struct TLanguageChoice {
  std::string baseName;  // the file's name without ".ini": what the setting stores
  std::string caption;   // the language's own name
  bool checked = false;
};

// One radio item per language file. An item starts checked when the current language file's path
// contains its base name (case-sensitive), so two can start checked when one name is part of
// another; the next click corrects that.
std::vector<TLanguageChoice> LanguageChoices(const std::vector<std::string>& baseNames,
                                             const std::function<std::string(const std::string&)>& nativeName,
                                             const std::string& currentLangFile);

// The three tabs (tags 1 to 3); one is selected at a time, none before the first show.
class TTabGroup {
 public:
  int Selected() const { return FSelected; }
  bool IsSelected(int tag) const { return FSelected == tag; }
  void Select(int tag) { FSelected = tag; }
  // Image index of a tab's icon: 2t - 2, or 2t - 1 when selected.
  int IconIndex(int tag) const { return 2 * tag - (IsSelected(tag) ? 1 : 2); }

 private:
  int FSelected = 0;
};

}  // namespace vsm
