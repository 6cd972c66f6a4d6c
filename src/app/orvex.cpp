#include "app/orvex.h"

#include "app/gradient_painter.h"
#include "app/main_menus.h"
#include "app/ticks_query.h"
#include "guardian/switches.h"
#include "platform/win32/command_line.h"
#include "platform/win32/shell.h"
#include "resource_ids.h"
#include "scanner/page_names.h"
#include "scanner/restore_dialog.h"
#include "toolkit/application.h"
#include "toolkit/message_box.h"

namespace qb::app {
namespace {

toolkit::FormOptions MainFormOptions() {
  toolkit::FormOptions options;
  options.class_name = TOrvex::kClassName;
  options.caption = TOrvex::kTitle;
  options.client_size = {733, 505};
  options.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  options.background = RGB(240, 202, 166);
  options.icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUELLBRIGHT));
  options.key_preview = true;
  return options;
}

scanner::ListPageSpec IgnoredPageSpec(ui::MainActions& actions, AppContext& context) {
  return {scanner::kIgnoredPage,    ids::kLbIgnored,           ids::kIgnoredActionsGroup,
          ids::kBtRemoveIgnored,
          ids::kBtRemoveIgnoredAll, actions.aRemoveIgnored,    actions.aRemoveIgnoredAll,
          context.lists.ignored,    context.code_page,         context.registry};
}

scanner::ListPageSpec BlockedPageSpec(ui::MainActions& actions, AppContext& context) {
  return {scanner::kBlockedPage,    ids::kLbBlocked,           ids::kBlockedActionsGroup,
          ids::kBtRemoveBlocked,
          ids::kBtRemoveAllBlocked, actions.aRemoveBlocked,    actions.aRemoveAllBlocked,
          context.lists.blocked,    context.code_page,         context.registry};
}

// The benchmark of the guard's reaction measures the tick alone with
// QUELLBRIGHT_GUARD_EVENTS=0; no option offers it.
bool GuardEventsWanted() {
  wchar_t value[8];
  const DWORD length = ::GetEnvironmentVariableW(L"QUELLBRIGHT_GUARD_EVENTS", value, 8);
  return !(length == 1 && value[0] == L'0');
}

}  // namespace

TOrvex::TOrvex(toolkit::Application& application, AppContext& context, bool launch_count_reported)
    : Form(application, MainFormOptions()),
      context_(context),
      actions_(*this),
      zPanel(AsParent(), ids::kZPanel, {16, 24, 702, 369}),
      btScanner(zPanel.AsParent(), ids::kBtScanner, {7, 8, 75, 25}, {}),
      btIgnoredObjects(zPanel.AsParent(), ids::kBtIgnoredObjects, {86, 8, 75, 25}, "&Ignored"),
      btBlockedObjects(zPanel.AsParent(), ids::kBtBlockedObjects, {165, 8, 75, 25}, "&Blocked"),
      btVodUridazur(zPanel.AsParent(), ids::kBtVodUridazur, {245, 8, 75, 25}, {}),
      Bevel1(zPanel.AsParent(), ids::kBevel1, {7, 44, 313, 2}, {}, SS_ETCHEDHORZ),
      nbActions(zPanel.AsParent(), ids::kNbActions, {7, 56, 313, 305}),
      nbTips(zPanel.AsParent(), ids::kNbTips, {325, 8, 369, 353}),
      scannerPage_(nbActions.AddPage(scanner::kScannerPage, ids::kPaScanner), actions_,
                   context_.scanner(), details_, objectInfo_),
      guardianPage_(nbActions.AddPage(scanner::kVodUridazurPage, ids::kPaVodUridazur), actions_),
      details_(nbTips, actions_),
      Panel1(AsParent(), ids::kPanel1, {16, 392, 702, 96}),
      objectInfo_(nbActions, nbTips, details_,
                  {context_.registry, context_.locator, context_.versions}, context_.evidence),
      pmTrayIcon(TrayMenuEntries(actions_)),
      CoolTrayIcon1(application, {IDI_TRAY_OFF, IDI_TRAY_ON}),
      Timer1(*this, 500, false, [this] { guardian_.Timer1Timer(); }),
      schedule_(context_.registry, context_.clock),
      promoTimer_(schedule_, PromoHooks()),
      Timer2(*this, 1000, true, [this] { promoTimer_.Timer2Timer(); }),
      presence_(*this, CoolTrayIcon1),
      guardian_({*this,
                 actions_,
                 guardianPage_,
                 Timer1,
                 CoolTrayIcon1,
                 {context_.registry, context_.lists, context_.code_page, context_.settings,
                  context_.removal, windows_},
                 [this] { return frmAlert->ShowModal(); },
                 [this] { presence_.Show(); },
                 [this] { presence_.Hide(false); },
                 guardian::IsSwitch(win32::FirstArgument(), guardian::kNoHint),
                 GuardEventsWanted()}),
      sections_({nbTips,
                 nbActions,
                 details_,
                 actions_,
                 {&btScanner, &btIgnoredObjects, &btVodUridazur, &btBlockedObjects},
                 [this] { ignoredPage_->Fill(); },
                 [this] { blockedPage_->Fill(); }}),
      frmOptions([this] {
        return std::make_unique<TfrmOptions>(this->application(), hwnd(), context_.settings,
                                             context_.registry);
      }),
      frmAbout([this] { return std::make_unique<TfrmAbout>(this->application(), hwnd()); }),
      frmAlert([this] {
        return std::make_unique<guardian::TfrmAlert>(
            this->application(), hwnd(), guardian_.current_object(),
            scanner::DetailsSources{context_.registry, context_.locator, context_.versions},
            context_.evidence);
      }),
      Lumbrella([this] { return std::make_unique<promo::TLumbrella>(this->application(), hwnd()); }),
      Demo([this] {
        return std::make_unique<promo::TDemo>(this->application(), hwnd(), context_.registry,
                                              context_.locator, context_.code_page);
      }) {
  if (launch_count_reported) promoTimer_.FailureReportedAtStart();
  AddPagesMadeWhenShown();
  btScanner.BindAction(actions_.aScanner);
  btIgnoredObjects.BindAction(actions_.aIgnoredObjects, toolkit::CaptionSource::kOwn);
  btBlockedObjects.BindAction(actions_.aBlockedObjects, toolkit::CaptionSource::kOwn);
  btVodUridazur.BindAction(actions_.aVodUridazur);
  btScanner.SetDown(true);
  WireActions();
  WireTray();
  SetMenu(toolkit::BuildMenuBar(MainMenuEntries(actions_)));
  CoolTrayIcon1Startup(show_at_start_);
  CoolTrayIcon1.Add();
  FormCreate();
  presence_.SetBuilt();
  if (!show_at_start_) presence_.StartHidden();
}

// The pages that no start shows: their controls are made when they are
// first selected.
void TOrvex::AddPagesMadeWhenShown() {
  nbActions.AddPage(scanner::kIgnoredPage, ids::kPaIgnoredObjects, [this](toolkit::Panel& page) {
    ignoredPage_.emplace(page, IgnoredPageSpec(actions_, context_), details_, objectInfo_);
  });
  nbActions.AddPage(scanner::kBlockedPage, ids::kPaBlockedObjects, [this](toolkit::Panel& page) {
    blockedPage_.emplace(page, BlockedPageSpec(actions_, context_), details_, objectInfo_);
  });
  struct Tips {
    const char* page;
    int id;
    const char* text;
  };
  for (const Tips& tips : {Tips{scanner::kScanTipsPage, ids::kTipsScan, kScanTips},
                           Tips{scanner::kIgnoredTipsPage, ids::kTipsIgnored, kIgnoredTips},
                           Tips{scanner::kVodUridazurTipsPage, ids::kTipsVodUridazur,
                                kVodUridazurTips},
                           Tips{scanner::kBlockedTipsPage, ids::kTipsBlocked, kBlockedTips}}) {
    nbTips.AddPage(tips.page, tips.id, [this, text = tips.text](toolkit::Panel& page) {
      tipsPages_.push_back(std::make_unique<TipsPage>(page, text));
    });
  }
}

void TOrvex::WireActions() {
  actions_.aScanner.SetHandler([this] { btScannerClick(); });
  actions_.aIgnoredObjects.SetHandler([this] { btIgnoredObjectsClick(); });
  actions_.aVodUridazur.SetHandler([this] { btVodUridazurClick(); });
  actions_.aBlockedObjects.SetHandler([this] { btBlockedObjectsClick(); });
  actions_.aShowHide.SetHandler([this] { CoolTrayIcon1Click(); });
  actions_.aStartStopGuardian.SetHandler([this] { guardian_.aStartStopGuardianExecute(); });
  actions_.aEnablePopUpBlocker.SetHandler([this] { guardian_.aEnablePopUpBlockerExecute(); });
  SetCommand(ids::kExit1, [this] { Exit1Click(); });
  SetCommand(ids::kCloseprogram1, [this] { Exit1Click(); });
  SetCommand(ids::kHelp2, [this] { Help2Click(); });
  SetCommand(ids::kAbout1, [this] { About1Click(); });
  SetCommand(ids::kOptions1, [this] { Options1Click(); });
  SetCommand(ids::kRestore1, [this] { Restore1Click(); });
}

void TOrvex::WireTray() {
  CoolTrayIcon1.on_click = [this] { CoolTrayIcon1Click(); };
  CoolTrayIcon1.on_menu = [this](POINT point) {
    ::SetForegroundWindow(hwnd());
    pmTrayIcon.Show(*this, point);
    // Lets the menu close at once when the user clicks elsewhere next time.
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
  };
  CoolTrayIcon1.on_readded = [this] { presence_.IconReadded(); };
}

void TOrvex::CoolTrayIcon1Startup(bool& show_main_form) {
  if (guardian::IsSwitch(win32::FirstArgument(), guardian::kNoHide)) return;
  LoadSettingsOnce();
  show_main_form = !context_.settings.StartMinimized;
}

// A value of the wrong type is reported, and the program goes on with the
// settings read so far and the defaults for the rest. Read once per start,
// so that the user is told once; a failed read counts as the read.
void TOrvex::LoadSettingsOnce() {
  if (settings_loaded_) return;
  settings_loaded_ = true;
  toolkit::Guarded([this] { settings::LoadSettings(context_.settings, context_.registry); });
}

void TOrvex::FormCreate() {
  LoadCLSIDs();
  nbTips.SetPage(scanner::kScanTipsPage);
  application().SetTitle(kTitle);
  SetCaption(kTitle);
  CoolTrayIcon1.SetHint("Quellbright");
  ApplyBannerRule();
  // Already read by the start-up handler, unless the window starts shown.
  LoadSettingsOnce();
  if (context_.settings.AutoStart) {
    actions_.aVodUridazur.Execute();
    actions_.aStartStopGuardian.Execute();
  } else {
    actions_.aScanner.Execute();
  }
}

void TOrvex::OnShow() {
  if (!centred_) {
    centred_ = true;
    CenterOnScreen();
  }
  actions_.aEnablePopUpBlocker.SetChecked(context_.settings.EnablePopUpBlocker);
}

// A launch count that cannot be read hides the banner as a missing one
// does, and is reported once, as the schedule's other faults are.
void TOrvex::ApplyBannerRule() {
  bool hidden = true;
  try {
    hidden = promo::IsBannerHidden(schedule_.GetLaunchCount());
  } catch (const std::exception& error) {
    promoTimer_.ReportFailure(error.what());
  }
  if (!hidden) {
    banner_.emplace(Panel1);
    return;
  }
  Panel1.SetVisible(false);
  SetDesignOuterHeight(468);
}

promo::PromoTimerHooks TOrvex::PromoHooks() {
  return {[] { return true; },
          [this] { Lumbrella->Show(); },
          [] { return true; },
          [this] { Demo->Show(); },
          [this] { Timer2.SetEnabled(false); },
          [](const std::string& message) { toolkit::ShowErrorBox(message); }};
}

void TOrvex::LoadCLSIDs() {
  if (context_.lists.Load()) return;
  toolkit::ShowMessageBox(hwnd(),
                          "Sorry, the database is corrupted!\r\n"
                          "Please, reinstall application to fix the problem.\r\n"
                          "\r\n"
                          "Clik OK to exit.",
                          ": Database corrupted! :", MB_OK | MB_ICONERROR);
  application().Terminate();
}

// Minimise to tray: the hint first, then the window leaves the taskbar.
// Without a tray icon it stays minimised on the taskbar. True when hidden.
bool TOrvex::OnMinimize() {
  // A hint that cannot be stored is reported; the window goes all the same.
  return presence_.Minimized(
      [this] { toolkit::Guarded([this] { guardian_.CoolTrayIcon1MinimizeToTray(); }); });
}

void TOrvex::Help2Click() {
  win32::OpenWithShell(nullptr, context_.program_folder / L"help.chm", SW_SHOWNORMAL);
}

void TOrvex::Restore1Click() {
  scanner::TfrmRestore restore(application(), hwnd(), context_.scanner());
  restore.CenterOver(hwnd());
  restore.ShowModal();
  // What is registered has changed: the Scanner page looks again, unless
  // the guard keeps the window on its own page.
  if (restore.restore_tried() && actions_.aScanner.enabled()) {
    actions_.aScanner.Execute();
    actions_.aScan.Execute();
  }
}

void TOrvex::About1Click() {
  frmAbout->CenterOver(hwnd());
  frmAbout->ShowModal();
}

LRESULT TOrvex::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != 0 && message == TicksQueryMessage()) {
    switch (wparam) {
      case kGuardTicksDone:
        return guardian_.ticks_done();
      case kGuardRunning:
        return guardian_.running();
      case kPromotionTicksToCome:
        return promoTimer_.TicksToCome();
      case kGuardEventRuns:
        return guardian_.event_runs();
      case kGuardEventWakes:
        return guardian_.event_wakes();
      default:
        return -1;
    }
  }
  if (message != 0 && message == guardian::GuardianControl::WakeMessage()) {
    guardian_.OnWake();
    return 0;
  }
  switch (message) {
    case WM_USER:  // a second copy asks this one to show itself
      presence_.Show();
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_MINIMIZE && OnMinimize()) return 0;
      break;
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED && presence_.built() && IsVisible()) OnMinimize();
      break;
    default:
      break;
  }
  return Form::OnMessage(message, wparam, lparam);
}

void TOrvex::OnPaintBackground(HDC dc, const RECT&) {
  GradientForm(hwnd(), dc, Rgb{217, 215, 185}, Rgb{155, 137, 72});
}

void TOrvex::OnClose() { application().Terminate(); }

bool TOrvex::PreviewKeyDown(WPARAM virtual_key) {
  if (virtual_key != VK_ESCAPE) return false;
  presence_.Hide(true);
  return true;
}

}  // namespace qb::app
