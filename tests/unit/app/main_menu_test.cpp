#include "app/MainMenu.h"
#include "services/OpenURL.h"

#include <gtest/gtest.h>

namespace vsm {
namespace {

std::string Translated(const std::string& key, const std::string& builtIn) {
  return key == "MenuItem3" ? "Startseite" : builtIn;
}

TEST(MainMenu, NineItemsWithSeparatorAtSixAndTwoCheckItems) {
  const auto entries = MainMenuEntries(Translated, true, false);
  ASSERT_EQ(entries.size(), 9u);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(entries[static_cast<size_t>(i)].tag, i + 1);
  EXPECT_EQ(entries[0].caption, "Online Help");
  EXPECT_EQ(entries[2].caption, "Startseite");
  // The news item's own text never shows; its place is a separator.
  EXPECT_EQ(entries[5].caption, "-");
  EXPECT_EQ(entries[8].caption, "About");
  EXPECT_TRUE(entries[4].isCheckItem);
  EXPECT_TRUE(entries[4].checked);
  EXPECT_TRUE(entries[6].isCheckItem);
  EXPECT_FALSE(entries[6].checked);
  EXPECT_TRUE(MainMenuEntries(Translated, false, true)[6].checked);
  EXPECT_FALSE(MainMenuEntries(Translated, false, true)[4].checked);
  for (size_t i : {0u, 1u, 2u, 3u, 7u, 8u}) EXPECT_FALSE(entries[i].isCheckItem) << i;
}

TEST(MainMenu, WebPagesOfTheFirstFourItems) {
  EXPECT_EQ(MainMenuAddress(kMenuHelp, "http://w", "http://f"), "http://w/PCE/Help/vesksystemmonitor");
  EXPECT_EQ(MainMenuAddress(kMenuForum, "http://w", "http://f"), "http://f/");
  EXPECT_EQ(MainMenuAddress(kMenuHomepage, "http://w", "http://f"), "http://w/");
  EXPECT_EQ(MainMenuAddress(kMenuContact, "http://w", "http://f"), "http://w/help.html");
  EXPECT_EQ(MainMenuAddress(kMenuAbout, "http://w", "http://f"), "");
}

TEST(MainMenu, LanguageRadioCheckedBySubstringOfTheCurrentFile) {
  auto native = [](const std::string& name) {
    return name == "German" ? std::string("Deutsch") : std::string();
  };
  const auto choices = LanguageChoices({"English", "German", "Chinese (Simplified)"}, native,
                                       "C:\\Program\\Languages\\German.ini");
  ASSERT_EQ(choices.size(), 3u);
  EXPECT_EQ(choices[1].caption, "Deutsch");
  EXPECT_EQ(choices[0].caption, "English");  // no native name: the base name
  EXPECT_EQ(choices[1].baseName, "German");
  EXPECT_FALSE(choices[0].checked);
  EXPECT_TRUE(choices[1].checked);
  EXPECT_FALSE(choices[2].checked);
  // One base name inside another's path: both start checked, case-sensitively.
  const auto twice = LanguageChoices({"Eng", "English", "english"}, native, "C:\\Languages\\English.ini");
  EXPECT_TRUE(twice[0].checked);
  EXPECT_TRUE(twice[1].checked);
  EXPECT_FALSE(twice[2].checked);
}

TEST(MainMenu, TabGroupSelectsOneAndPicksIcons) {
  TTabGroup tabs;
  EXPECT_EQ(tabs.Selected(), 0);
  EXPECT_EQ(tabs.IconIndex(1), 0);
  tabs.Select(3);
  EXPECT_TRUE(tabs.IsSelected(3));
  EXPECT_FALSE(tabs.IsSelected(1));
  EXPECT_EQ(tabs.IconIndex(3), 5);
  EXPECT_EQ(tabs.IconIndex(2), 2);
  tabs.Select(2);
  EXPECT_EQ(tabs.IconIndex(2), 3);
  EXPECT_EQ(tabs.IconIndex(3), 4);
}

TEST(MainMenu, UrlOpeningAndBrowserFallback) {
  EXPECT_FALSE(UrlWorthOpening("  \t "));
  EXPECT_TRUE(UrlWorthOpening("C:\\report.csv"));
  EXPECT_TRUE(UrlNeedsBrowserFallback("HTTPS://example.org"));
  EXPECT_FALSE(UrlNeedsBrowserFallback("C:\\report.csv"));
}

}  // namespace
}  // namespace vsm
