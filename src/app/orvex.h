#pragma once

#include "app/app_context.h"
#include "app/main_actions.h"
#include "app/sections.h"
#include "app/tips_pages.h"
#include "guardian/guardian_control.h"
#include "guardian/guardian_page.h"
#include "platform/win32/win32_window_list.h"
#include "promo/banner.h"
#include "promo/promo_schedule.h"
#include "promo/promo_timer.h"
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

namespace qb::guardian {
class TfrmAlert;
}

namespace qb::promo {
class TDemo;
class TLumbrella;
}  // namespace qb::promo

namespace qb::app {

class TfrmAbout;
class TfrmOptions;

// The main window `Orvex`: the frame of the four sections, the menus and
// the actions through which every command runs.
class TOrvex : public toolkit::Form {
 public:
  static constexpr char kTitle[] = ": Quellbright :";
  static constexpr wchar_t kClassName[] = L"TOrvex";

  TOrvex(toolkit::Application& application, AppContext& context);

  // The about box, made after this window and reached from its menu.
  void SetAboutBox(TfrmAbout& about);
  // The options dialog, made after this window and opened from its menu.
  void SetOptionsDialog(TfrmOptions& options) { options_ = &options; }
  // The alert dialog, made after this window, shown by the guard.
  void SetAlertDialog(guardian::TfrmAlert& alert) { guardian_.SetAlertDialog(alert); }
  // The promotion and demo windows, made last; the promotion timer shows
  // them.
  void SetPromotionWindows(promo::TLumbrella& promotion, promo::TDemo& demo);
  // The launch count failed at this start, and the user was told.
  void LaunchCountFailed() { promoTimer_.FailureReportedAtStart(); }
  // `CurrentCLSID`, which the alert dialog shows, with its views.
  const scanner::RegisteredObject& current_object() const { return guardian_.current_object(); }
  // Whether the message loop shows this window at start.
  bool show_at_start() const { return show_at_start_; }

  // The tray operations that show and hide the program.
  void ShowMainWindow();
  void HideMainWindow();

  MainActions& actions() { return actions_; }

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
  // Hides to the tray; without a tray icon the window stays reachable on
  // the taskbar (minimised, when `minimise`) until the shell offers one.
  void HideToTray(bool minimise);
  void CoolTrayIcon1Readded();
  bool OnMinimize();
  void LoadCLSIDs();
  void WireActions();
  void ApplyBannerRule();
  promo::PromoTimerHooks PromoHooks();

  void btScannerClick() { sections_.Switch(Section::kScanner); }
  void btIgnoredObjectsClick() { sections_.Switch(Section::kIgnored); }
  void btVodUridazurClick() { sections_.Switch(Section::kVodUridazur); }
  void btBlockedObjectsClick() { sections_.Switch(Section::kBlocked); }
  void CoolTrayIcon1Click();
  void Exit1Click() { Close(); }
  void Help2Click();
  void About1Click();
  void Restore1Click();
  void Options1Click();

  AppContext& context_;
  MainActions actions_;

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
  scanner::ListPage ignoredPage_;
  guardian::GuardianPage guardianPage_;
  scanner::ListPage blockedPage_;
  TipsPage tipsScan_;
  scanner::DetailsView details_;
  TipsPage tipsIgnored_;
  TipsPage tipsVodUridazur_;
  TipsPage tipsBlocked_;
  toolkit::Panel Panel1;
  promo::Banner banner_;
  scanner::ObjectInfo objectInfo_;
  toolkit::PopupMenu pmTrayIcon;
  toolkit::TrayIcon CoolTrayIcon1;
  toolkit::Timer Timer1;
  promo::PromoSchedule schedule_;
  promo::PromoTimer promoTimer_;
  toolkit::Timer Timer2;
  promo::TLumbrella* Lumbrella = nullptr;
  promo::TDemo* Demo = nullptr;
  win32::Win32WindowList windows_;
  guardian::GuardianControl guardian_;

  SectionSwitcher sections_;
  TfrmAbout* about_ = nullptr;
  TfrmOptions* options_ = nullptr;
  bool show_at_start_ = true;
  // The settings were read at this start (the options dialog reads them
  // again at each opening).
  bool settings_loaded_ = false;
  // The tray operations act only once the creation handler has returned.
  bool created_ = false;
  // A hide that waits for the shell to take the tray icon.
  bool hide_deferred_ = false;
  // Centred once, at its first show, at the size the banner rule left.
  bool centred_ = false;
};

}  // namespace qb::app
