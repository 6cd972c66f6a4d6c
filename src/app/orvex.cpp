#include "app/orvex.h"

#include "app/about_box.h"
#include "app/gradient_painter.h"
#include "app/main_menus.h"
#include "platform/win32/shell.h"
#include "resource_ids.h"
#include "scanner/page_names.h"
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

scanner::ListPageSpec IgnoredPageSpec(MainActions& actions, lists::ClsidLists& lists) {
  return {ids::kLbIgnored,        ids::kIgnoredActionsGroup,
          ids::kBtRemoveIgnored,  ids::kBtRemoveIgnoredAll,
          actions.aRemoveIgnored, actions.aRemoveIgnoredAll,
          lists.ignored};
}

scanner::ListPageSpec BlockedPageSpec(MainActions& actions, lists::ClsidLists& lists) {
  return {ids::kLbBlocked,        ids::kBlockedActionsGroup,
          ids::kBtRemoveBlocked,  ids::kBtRemoveAllBlocked,
          actions.aRemoveBlocked, actions.aRemoveAllBlocked,
          lists.blocked};
}

}  // namespace

TOrvex::TOrvex(toolkit::Application& application, AppContext& context)
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
      scannerPage_(nbActions.AddPage(scanner::kScannerPage, ids::kPaScanner), actions_, context_,
                   details_, objectInfo_),
      ignoredPage_(nbActions.AddPage(scanner::kIgnoredPage, ids::kPaIgnoredObjects),
                   IgnoredPageSpec(actions_, context_.lists), details_, objectInfo_),
      guardianPage_(nbActions.AddPage(scanner::kVodUridazurPage, ids::kPaVodUridazur), actions_),
      blockedPage_(nbActions.AddPage(scanner::kBlockedPage, ids::kPaBlockedObjects),
                   BlockedPageSpec(actions_, context_.lists), details_, objectInfo_),
      tipsScan_(nbTips.AddPage(scanner::kScanTipsPage, ids::kTipsScan), kScanTips),
      details_(nbTips.AddPage(scanner::kResultsTipsPage, ids::kTipsResults), actions_),
      tipsIgnored_(nbTips.AddPage(scanner::kIgnoredTipsPage, ids::kTipsIgnored), kIgnoredTips),
      tipsVodUridazur_(nbTips.AddPage(scanner::kVodUridazurTipsPage, ids::kTipsVodUridazur),
                       kVodUridazurTips),
      tipsBlocked_(nbTips.AddPage(scanner::kBlockedTipsPage, ids::kTipsBlocked), kBlockedTips),
      Panel1(AsParent(), ids::kPanel1, {16, 392, 702, 96}),
      objectInfo_(nbActions, nbTips, details_,
                  {scannerPage_.lbMain, ignoredPage_.list, blockedPage_.list}, context_.registry,
                  context_.versions),
      pmTrayIcon(TrayMenuEntries(actions_)),
      sections_({nbTips,
                 nbActions,
                 details_,
                 actions_,
                 {&btScanner, &btIgnoredObjects, &btVodUridazur, &btBlockedObjects},
                 [this] { ignoredPage_.Fill(); },
                 [this] { blockedPage_.Fill(); }}) {
  btScanner.BindAction(actions_.aScanner);
  btIgnoredObjects.BindAction(actions_.aIgnoredObjects, toolkit::CaptionSource::kOwn);
  btBlockedObjects.BindAction(actions_.aBlockedObjects, toolkit::CaptionSource::kOwn);
  btVodUridazur.BindAction(actions_.aVodUridazur);
  btScanner.SetDown(true);
  WireActions();
  SetMenu(toolkit::BuildMenuBar(MainMenuEntries(actions_)));
  CenterOnScreen();
  FormCreate();
}

void TOrvex::WireActions() {
  actions_.aScanner.SetHandler([this] { btScannerClick(); });
  actions_.aIgnoredObjects.SetHandler([this] { btIgnoredObjectsClick(); });
  actions_.aVodUridazur.SetHandler([this] { btVodUridazurClick(); });
  actions_.aBlockedObjects.SetHandler([this] { btBlockedObjectsClick(); });
  actions_.aShowHide.SetHandler([this] { CoolTrayIcon1Click(); });
  SetCommand(ids::kExit1, [this] { Exit1Click(); });
  SetCommand(ids::kCloseprogram1, [this] { Exit1Click(); });
  SetCommand(ids::kHelp2, [this] { Help2Click(); });
  SetCommand(ids::kAbout1, [this] { About1Click(); });
  SetCommand(ids::kOptions1, [this] { Options1Click(); });
}

void TOrvex::SetAboutBox(TfrmAbout& about) { about_ = &about; }

void TOrvex::FormCreate() {
  LoadCLSIDs();
  nbTips.SetPage(scanner::kScanTipsPage);
  application().SetTitle(kTitle);
  SetCaption(kTitle);
  // The tray icon's hint and the banner rule of the promotion schedule
  // arrive with their parts, here.

  // A value of the wrong type is reported, and the program goes on with the
  // settings read so far and the defaults for the rest.
  toolkit::Guarded([this] { settings::LoadSettings(context_.settings, context_.registry); });
  if (context_.settings.AutoStart) {
    actions_.aVodUridazur.Execute();
    actions_.aStartStopGuardian.Execute();
  } else {
    actions_.aScanner.Execute();
  }
}

void TOrvex::OnShow() {
  actions_.aEnablePopUpBlocker.SetChecked(context_.settings.EnablePopUpBlocker);
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

void TOrvex::ShowMainWindow() {
  if (::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
  Show();
}

void TOrvex::HideMainWindow() { Hide(); }

void TOrvex::CoolTrayIcon1Click() {
  if (IsVisible()) {
    HideMainWindow();
  } else {
    ShowMainWindow();
  }
}

void TOrvex::Help2Click() {
  win32::OpenWithShell(nullptr, context_.program_folder / L"help.chm", SW_SHOWNORMAL);
}

void TOrvex::About1Click() {
  if (!about_) return;
  about_->CenterOver(hwnd());
  about_->ShowModal();
}

LRESULT TOrvex::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_USER) {  // a second copy asks this one to show itself
    ShowMainWindow();
    return 0;
  }
  return Form::OnMessage(message, wparam, lparam);
}

void TOrvex::OnPaintBackground(HDC dc, const RECT&) {
  GradientForm(hwnd(), dc, Rgb{217, 215, 185}, Rgb{155, 137, 72});
}

void TOrvex::OnClose() { application().Terminate(); }

bool TOrvex::PreviewKeyDown(WPARAM virtual_key) {
  if (virtual_key != VK_ESCAPE) return false;
  HideMainWindow();
  return true;
}

}  // namespace qb::app
