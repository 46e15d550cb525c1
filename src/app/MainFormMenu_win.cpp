#include "app/MainFormMenu_win.h"

#include "app/MainMenu.h"
#include "app/frmAbout_win.h"
#include "app/frmVeskSystemMonitor_win.h"
#include "base/IniDocument.h"
#include "base/file_win.h"
#include "base/wide_win.h"
#include "services/AppConfig_win.h"
#include "services/OpenURL_win.h"
#include "services/ServerAddresses.h"
#include "services/Translation.h"
#include "services/Translation_win.h"

namespace vsm {

namespace {

std::unique_ptr<TMainFormMenu> mainFormMenu;

std::string NativeLanguageName(const std::string& baseName) {
  const auto bytes = ReadWholeFile(Widen(LanguagesFolder() + baseName + ".ini"));
  if (!bytes) return {};
  const auto document = DecodeLanguageFile(*bytes);
  return document ? document->Read("Lang", "NativeLanguage") : std::string();
}

std::string Translate(const std::string& key, const std::string& builtIn) {
  return Narrow(GetLangText("Translation", key, Widen(builtIn)));
}

void AutostartClicked(TMenuItemInfo& item, HWND owner) {
  const TAutostartChange change = AutostartCalls().set(item.checked);
  if (change != TAutostartChange::acDone) item.checked = !item.checked;
  if (change != TAutostartChange::acRefused) return;
  ProgramWindowServices().messageBox(
      owner, GetLangText("Translation", "Information", L"Information"),
      GetLangText(
          "Message", "AutostartUnsafeFolder",
          L"Run on Startup was not turned on: users without administrator rights can change the program's "
          L"folder, and the task would start whatever they put there with administrator rights. Move the "
          L"program to a folder such as Program Files first."),
      TMessageIcon::Information, TMessageButtons::Ok);
}

}  // namespace

TAutostartCalls& AutostartCalls() {
  static TAutostartCalls calls;
  return calls;
}

TMainFormMenu* MainFormMenu() { return mainFormMenu.get(); }
void FreeMainFormMenu() { mainFormMenu.reset(); }

void InitMainMenu(TVeskPopupMenu& menu) {
  const TAutostartCalls& autostart = AutostartCalls();
  // Once: the menu is filled again at every language change, which must not undo the user's
  // choice of the first session. A refusal here is silent; the menu item explains it when asked.
  static bool firstRunAutostart = false;
  if (AppConfig.bFirstRun && autostart.set && !firstRunAutostart) {
    firstRunAutostart = true;
    autostart.set(true);
  }
  const auto entries =
      MainMenuEntries(Translate, AppConfig.bAutoUpdate, autostart.isEnabled && autostart.isEnabled());
  menu.SetFont(LangLogFont());
  if (!mainFormMenu) {
    mainFormMenu = std::make_unique<TMainFormMenu>(menu);
    menu.Clear();
    for (const auto& entry : entries) {
      TMenuItemInfo item{Widen(entry.caption), entry.tag, entry.checked};
      if (entry.tag == kMenuHelp) item.shortcut = L"F1";
      if (entry.tag == kMenuLanguage) item.submenu = &mainFormMenu->LanguageMenu();
      menu.Add(std::move(item));
    }
    TVeskPopupMenu& languages = mainFormMenu->LanguageMenu();
    languages.SetFont(LangLogFont());
    for (const auto& choice :
         LanguageChoices(ListLanguageFiles(), NativeLanguageName, LangTranslator().LangFile())) {
      TMenuItemInfo item{Widen(choice.caption), 0, choice.checked};
      item.radio = true;
      item.shortcut.clear();
      item.hint = Widen(choice.baseName);
      languages.Add(std::move(item));
    }
  }
  auto& items = menu.Items();
  for (size_t i = 0; i < items.size() && i < entries.size(); ++i)
    items[i].caption = Widen(entries[i].caption);
}

void TMainFormMenu::OnClick(TMenuItemInfo& item, HWND owner, HWND mainForm) {
  if (item.radio) {
    LanguageClick(item);
    return;
  }
  switch (item.tag) {
    case kMenuHelp:
    case kMenuForum:
    case kMenuHomepage:
    case kMenuContact: OpenURL(mainForm, Widen(MainMenuAddress(item.tag, kWebSite, kForumSite))); break;
    case kMenuCheckUpdates:
      item.checked = !item.checked;
      AppConfig.bAutoUpdate = item.checked;
      SaveAppConfig();
      break;
    case kMenuAutostart:
      item.checked = !item.checked;
      if (AutostartCalls().set) AutostartClicked(item, owner);
      break;
    case kMenuAbout: ShowAboutBox(owner); break;
    default: break;
  }
}

void TMainFormMenu::LanguageClick(TMenuItemInfo& item) {
  for (auto& other : FLanguages.Items()) other.checked = &other == &item;
  AppConfig.Lang = Narrow(item.hint);
  SaveAppConfig();
  SetLanguageFile(AppConfig.Lang);
  ReloadLanguage();
  if (MainForm() != nullptr) MainForm()->LangChange();
}

}  // namespace vsm
