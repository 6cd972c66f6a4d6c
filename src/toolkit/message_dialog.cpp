#include "toolkit/message_dialog.h"

#include <algorithm>
#include <memory>

#include "platform/win32/device_context.h"
#include "platform/win32/wide.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/dialog_options.h"

namespace qb::toolkit {
namespace {

constexpr int kIconId = 20;  // the ids a system message box uses
constexpr int kTextId = 0xFFFF;
constexpr int kMargin = 16;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kMaxTextWidth = 420;

// The text's size at 96 dpi in the form's font.
SIZE MeasureText(Form& form, const std::string& text) {
  const std::wstring wide = win32::Widen(text);
  const win32::WindowDc dc(form.hwnd());
  const win32::SelectedObject font(dc.get(), form.FontFor(form.font()));
  RECT rect{0, 0, form.Scale(kMaxTextWidth), 0};
  ::DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  const auto unscale = [&](LONG pixels) {
    return static_cast<LONG>(::MulDiv(pixels, 96, static_cast<int>(form.dpi())) + 1);
  };
  return SIZE{unscale(rect.right), unscale(rect.bottom)};
}

class MessageDialog : public Form {
 public:
  MessageDialog(Form& owner, const MessageDialogSpec& spec)
      : Form(owner.application(),
             DialogOptions(L"QuellbrightMessageDialog", spec.caption, {100, 100}, owner.hwnd())),
        spec_(spec) {
    const SIZE text = MeasureText(*this, spec.text);
    const int buttons_width =
        static_cast<int>(spec.buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int width =
        std::max<int>(kMargin * 2 + kIconSize + kMargin + text.cx, buttons_width + 2 * kMargin);
    const int text_top = text.cy < kIconSize ? kMargin + (kIconSize - text.cy) / 2 : kMargin;
    const int buttons_top = std::max<int>(kMargin + kIconSize, text_top + text.cy) + kMargin;
    const int height = buttons_top + kButtonHeight + kMargin;

    icon_ = std::make_unique<Label>(AsParent(), kIconId,
                                    DesignRect{kMargin, kMargin, kIconSize, kIconSize},
                                    std::string(), SS_ICON);
    ::SendMessageW(icon_->hwnd(), STM_SETICON,
                   reinterpret_cast<WPARAM>(::LoadIconW(nullptr, spec.icon)), 0);
    text_ = std::make_unique<Label>(AsParent(), kTextId,
                                    DesignRect{kMargin * 2 + kIconSize, text_top, text.cx, text.cy},
                                    spec.text);
    int left = (width - buttons_width) / 2;
    for (const MessageDialogButton& spec_button : spec.buttons) {
      const DWORD style =
          spec_button.result == spec.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      auto button = std::make_unique<Button>(
          AsParent(), spec_button.result,
          DesignRect{left, buttons_top, kButtonWidth, kButtonHeight}, spec_button.caption, style);
      const int result = spec_button.result;
      button->on_click = [this, result] { Finish(result); };
      if (result == spec.default_button) SetInitialFocus(button.get());
      buttons_.push_back(std::move(button));
      left += kButtonWidth + kButtonGap;
    }
    if (spec.check_box) {
      const RECT& r = spec.check_box_rect;
      check_box_ = std::make_unique<CheckBox>(
          AsParent(), spec.check_box_id,
          DesignRect{r.left, r.top, r.right - r.left, r.bottom - r.top}, *spec.check_box);
    }
    SetDefaultButton(spec.default_button);
    SetClientSize({width, height});
    if (spec.outer_height > 0) SetDesignOuterHeight(spec.outer_height);
    CenterOver(owner.hwnd());
  }

  MessageDialogResult Run() {
    result_.result = ShowModal();
    // The window lives on, hidden, until this object goes: still readable.
    result_.checked = check_box_ && check_box_->IsChecked();
    return result_;
  }

 protected:
  void OnDialogCommand(int id) override {
    if (id == IDCANCEL) Finish(spec_.escape_result);
  }

 private:
  void Finish(int result) { SetModalResult(result); }

  const MessageDialogSpec& spec_;
  std::unique_ptr<Label> icon_;
  std::unique_ptr<Label> text_;
  std::vector<std::unique_ptr<Button>> buttons_;
  std::unique_ptr<CheckBox> check_box_;
  MessageDialogResult result_;
};

}  // namespace

MessageDialogResult ShowMessageDialog(Form& owner, const MessageDialogSpec& spec) {
  MessageDialog dialog(owner, spec);
  return dialog.Run();
}

}  // namespace qb::toolkit
