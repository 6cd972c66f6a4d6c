#pragma once

#include <cstdint>
#include <string_view>

#include "platform/code_page.h"
#include "platform/file_locator.h"
#include "platform/registry_backend.h"
#include "promo/ie_cache.h"
#include "promo/index_dump.h"
#include "promo/widgets/gauge.h"
#include "promo/widgets/text_pane.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/link_label.h"
#include "toolkit/panel.h"

namespace qb::promo {

// The demo window `Demo`, which advertises Shredmoor: on request it shows
// the History, Cache and Cookies index.dat files of the current user as
// text, one pane each, with a progress bar and a stop button. Any key
// stops a dump; the window refuses to close while one runs.
class TDemo : public toolkit::Form {
 public:
  TDemo(toolkit::Application& application, HWND owner, platform::RegistryBackend& registry,
        platform::FileLocator& locator, const platform::CodePage& code_page);

  toolkit::Button Button1;
  toolkit::Button Button2;
  toolkit::Label Label4;
  toolkit::Label Label5;
  toolkit::Label Label1;
  toolkit::LinkLabel Label2;
  toolkit::Label Label7;
  toolkit::Label Label3;
  toolkit::GroupBox Content;
  toolkit::CheckBox dHistory;
  toolkit::CheckBox dCache;
  toolkit::CheckBox dCookies;
  TextPane Memo2;
  TextPane Memo3;
  TextPane Memo4;
  toolkit::Panel Panel1;
  TGauge Gauge1;
  toolkit::Button SpeedButton1;
  TIECache IECache1;

 protected:
  void OnShow() override;
  bool OnCloseQuery() override { return NotBusy; }
  bool PreviewKeyDown(WPARAM virtual_key) override;

 private:
  void FormCreate();
  void Button1Click();
  void Button2Click();
  void SpeedButton1Click() { StopRequested = true; }
  // True when the key was taken.
  bool Memo1KeyDown(WPARAM virtual_key);
  void Label2Click();
  void Label2MouseMove();
  void Label2MouseLeave();
  void ShowIndexFile();
  void ShowMessage(const std::string& text);
  // The pane of `CurrentPane`; null for any other value.
  TextPane* CurrentMemo();

  platform::RegistryBackend& registry_;
  platform::FileLocator& locator_;
  const CodePageTable code_page_;
  std::uint8_t CurrentPane = 1;
  bool StopRequested = false;
  bool NotBusy = true;
  bool label2Underlined_ = false;
};

}  // namespace qb::promo
