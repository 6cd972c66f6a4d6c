#pragma once

#include <optional>

#include "app/about_box.h"
#include "app/app_context.h"
#include "app/made_on_first_use.h"
#include "app/options_dialog.h"
#include "app/sections.h"
#include "app/tips_pages.h"
#include "app/tray_presence.h"
#include "guardian/alert_dialog.h"
#include "guardian/guardian_control.h"
#include "guardian/guardian_page.h"
#include "platform/win32/win32_window_list.h"
#include "promo/banner.h"
#include "promo/demo_window.h"
#include "promo/promo_schedule.h"
#include "promo/promo_timer.h"
#include "promo/promotion_window.h"
#include "scanner/details_view.h"
#include "scanner/list_page.h"
#include "scanner/object_info.h"
#include "scanner/scanner_page.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"
#include "toolkit/panel.h"
#include "toolkit/timer.h"
#include "toolkit/tray_icon.h"
#include "ui/main_actions.h"

namespace qb::app {

// The main window `Orvex`: the frame of the four sections, the menus and
// the actions through which every command runs.
class TOrvex : public toolkit::Form {
 public:
  static constexpr char kTitle[] = ": Quellbright :";
  static constexpr wchar_t kClassName[] = L"TOrvex";

  // `launch_count_reported`: counting this start failed, and the user was
  // told already.
  TOrvex(toolkit::Application& application, AppContext& context, bool launch_count_reported);

  // Whether the message loop shows this window at start.
  bool show_at_start() const { return show_at_start_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnPaintBackground(HDC dc, const RECT& client) override;
  void OnShow() override;
  void OnClose() override;
  bool PreviewKeyDown(WPARAM virtual_key) override;

 private:
  void CoolTrayIcon1Startup(bool& show_main_form);
  void FormCreate();
  void LoadSettingsOnce();
  void WireTray();
  bool OnMinimize();
  void LoadCLSIDs();
  void WireActions();
  void AddPagesMadeWhenShown();
  void ApplyBannerRule();
  promo::PromoTimerHooks PromoHooks();

  void btScannerClick() { sections_.Switch(Section::kScanner); }
  void btIgnoredObjectsClick() { sections_.Switch(Section::kIgnored); }
  void btVodUridazurClick() { sections_.Switch(Section::kVodUridazur); }
  void btBlockedObjectsClick() { sections_.Switch(Section::kBlocked); }
  void CoolTrayIcon1Click() { presence_.Toggle(); }
  void Exit1Click() { Close(); }
  void Help2Click();
  void About1Click();
  void Restore1Click();
  void Options1Click();

  AppContext& context_;
  ui::MainActions actions_;

  toolkit::Panel zPanel;
  toolkit::SectionButton btScanner;
  toolkit::SectionButton btIgnoredObjects;
  toolkit::SectionButton btBlockedObjects;
  toolkit::SectionButton btVodUridazur;
  toolkit::Label Bevel1;
  toolkit::Notebook nbActions;
  toolkit::Notebook nbTips;
  // The pages keep a reference to objectInfo_, made after the pages whose
  // lists it reads; it is used only once the window is built.
  scanner::ScannerPage scannerPage_;
  guardian::GuardianPage guardianPage_;
  scanner::DetailsView details_;
  // Made when their page is first shown.
  std::optional<scanner::ListPage> ignoredPage_;
  std::optional<scanner::ListPage> blockedPage_;
  std::vector<std::unique_ptr<TipsPage>> tipsPages_;
  toolkit::Panel Panel1;
  // Made only when the banner rule shows it: its picture and rich text are
  // the costliest controls of the window.
  std::optional<promo::Banner> banner_;
  scanner::ObjectInfo objectInfo_;
  toolkit::PopupMenu pmTrayIcon;
  toolkit::TrayIcon CoolTrayIcon1;
  toolkit::Timer Timer1;
  promo::PromoSchedule schedule_;
  promo::PromoTimer promoTimer_;
  toolkit::Timer Timer2;
  win32::Win32WindowList windows_;
  TrayPresence presence_;
  guardian::GuardianControl guardian_;
  SectionSwitcher sections_;
  // The windows that start hidden: each is made the first time it is
  // needed and lives as long as the program.
  MadeOnFirstUse<TfrmOptions> frmOptions;
  MadeOnFirstUse<TfrmAbout> frmAbout;
  MadeOnFirstUse<guardian::TfrmAlert> frmAlert;
  MadeOnFirstUse<promo::TLumbrella> Lumbrella;
  MadeOnFirstUse<promo::TDemo> Demo;

  bool show_at_start_ = true;
  // The settings were read at this start (the options dialog reads them
  // again at each opening).
  bool settings_loaded_ = false;
  // Centred once, at its first show, at the size the banner rule left.
  bool centred_ = false;
};

}  // namespace qb::app
