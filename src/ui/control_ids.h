#pragma once

// Stable ids of every named control and every menu command of the program.
// Tests and accessibility tools find controls by these ids (UI Automation
// uses a Win32 control's id as its automation id), and tests drive menus by
// posting WM_COMMAND with them. Never renumber.
namespace qb::ids {

enum ControlId : int {
  // Main window frame.
  kZPanel = 1000,
  kBtScanner = 1001,
  kBtIgnoredObjects = 1002,
  kBtBlockedObjects = 1003,
  kBtVodUridazur = 1004,
  kBevel1 = 1005,
  kNbActions = 1010,
  kPaScanner = 1011,
  kPaIgnoredObjects = 1012,
  kPaVodUridazur = 1013,
  kPaBlockedObjects = 1014,
  kNbTips = 1020,
  kTipsScan = 1021,
  kTipsResults = 1022,
  kTipsIgnored = 1023,
  kTipsVodUridazur = 1024,
  kTipsBlocked = 1025,
  kPanel1 = 1030,
  kImage1 = 1031,
  kRtfLabel1 = 1032,

  // Scanner page.
  kLbMain = 1100,
  kScannerActionsGroup = 1101,
  kBtScan = 1102,
  kBtCheckAll = 1103,
  kBtUnCheckAll = 1104,
  kBtDeleteSelected = 1105,

  // Ignored and Blocked pages.
  kLbIgnored = 1200,
  kIgnoredActionsGroup = 1201,
  kBtRemoveIgnored = 1202,
  kBtRemoveIgnoredAll = 1203,
  kLbBlocked = 1250,
  kBlockedActionsGroup = 1251,
  kBtRemoveBlocked = 1252,
  kBtRemoveAllBlocked = 1253,

  // Vod Uridazur page.
  kLCaption = 1300,
  kLTimerState = 1301,
  kGuardianActionsGroup = 1302,
  kBtStartStopGuardian = 1303,
  kCheckBox1 = 1304,

  // Tips pages: the group and its text.
  kTipsGroup = 1400,
  kTipsText = 1401,

  // Results page: the object details.
  kMoreInfoGroup = 1500,
  kEdit1 = 1501,
  kEdit2 = 1502,
  kEdit3 = 1503,
  kEdit4 = 1504,
  kEdit5 = 1505,
  kEdit6 = 1506,
  kEdSignature = 1507,  // the verdict on the file's signature
  kEdSha256 = 1508,
  kDetailsLabels = 1510,  // 1510 to 1517, one per field
  kBtRemoveObject = 1520,
  kBtIgnoreObject = 1521,

  // The question after a clean scan.
  kCbAlwaysSelect = 1600,

  // Options dialog.
  kPageControl1 = 1700,
  kTabMainOptions = 1701,
  kTabPopUpOptions = 1702,
  kBtOK = 1710,
  kBtCancel = 1711,
  kBtDefaults = 1712,
  kBtResetWarnings = 1713,
  kCbMakeBackup = 1720,
  kCbStartWW = 1721,
  kCbAutoStart = 1722,
  kCbStartMinimized = 1723,
  kCbSetHomePage = 1724,
  kEHomePage = 1725,
  kCbEnablePopUpBlocker = 1730,
  kCbCloseNoMaximize = 1731,
  kOptionsCheckBox3 = 1732,
  kOptionsEdit1 = 1733,
  kOptionsLabel1 = 1734,
  kOptionsCheckBox4 = 1735,
  kOptionsEdit2 = 1736,
  kOptionsLabel2 = 1737,

  // About box.
  kAboutPanel1 = 1800,
  kAboutImage1 = 1801,
  kAboutLabel1 = 1802,
  kAboutLabel2 = 1803,
  kAboutLabel3 = 1804,
  kAboutLabel5 = 1805,
  kAboutLabel6 = 1806,
  kAboutLabel7 = 1807,
  kAboutButton1 = 1808,

  // The alert dialog.
  kAlertPanel1 = 1900,
  kAlertText = 1901,
  kAlertResults = 1902,
  kAlertMoreInfo = 1903,
  kAlertVerdict = 1904,  // the verdict on the file's signature, under the headline
  kAlertEdit1 = 1911,
  kAlertEdit2 = 1912,
  kAlertEdit3 = 1913,
  kAlertEdit4 = 1914,
  kAlertEdit5 = 1915,
  kAlertEdit6 = 1916,
  kAlertLabels = 1920,  // 1920 to 1925, one per field
  kAlertPanel2 = 1930,
  kBitBtn1 = 1931,  // "Allow and ignore"
  kBitBtn2 = 1932,  // "Delete"
  kBitBtn3 = 1933,  // "Stop Guardian"

  // The promotion window.
  kLumbrellaImage1 = 2000,

  // The demo window.
  kDemoButton1 = 2100,  // "&View the demo"
  kDemoButton2 = 2101,  // "E&xit the demo"
  kDemoLabel1 = 2102,
  kDemoLabel2 = 2103,  // the Shredmoor link
  kDemoLabel3 = 2104,
  kDemoLabel4 = 2105,
  kDemoLabel5 = 2106,
  kDemoLabel7 = 2107,
  kDemoContent = 2110,
  kDHistory = 2111,
  kDCache = 2112,
  kDCookies = 2113,
  kMemo2 = 2120,  // History
  kMemo3 = 2121,  // Cache
  kMemo4 = 2122,  // Cookies
  kDemoPanel1 = 2130,
  kGauge1 = 2131,
  kSpeedButton1 = 2132,

  // The restore window.
  kRestoreLabel = 2500,
  kRestoreList = 2501,
  kRestoreButton = 2502,
  kRestoreClose = 2503,
};

// Commands: the actions of the main window and the plain menu items.
enum CommandId : int {
  kAScan = 40001,
  kASelectAll = 40002,
  kADeselectAll = 40003,
  kADeleteSelected = 40004,
  kARemoveObject = 40005,
  kAIgnoreObject = 40006,
  kAScanner = 40007,
  kAIgnoredObjects = 40008,
  kAVodUridazur = 40009,
  kABlockedObjects = 40010,
  kAShowHide = 40011,
  kARemoveIgnored = 40012,
  kARemoveIgnoredAll = 40013,
  kARemoveBlocked = 40014,
  kARemoveAllBlocked = 40015,
  kAStartStopGuardian = 40016,
  kAEnablePopUpBlocker = 40017,

  kExit1 = 40100,
  kOptions1 = 40101,
  kHelp2 = 40102,
  kAbout1 = 40103,
  kCloseprogram1 = 40104,
  kRestore1 = 40105,
};

}  // namespace qb::ids
