#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "toolkit/font.h"
#include "toolkit/message_target.h"

namespace qb::toolkit {

class Application;
class Control;
class Timer;

// Where a control lives: its form and the window that is its parent.
struct Parent {
  class Form& form;
  HWND window;
};

struct FormOptions {
  std::wstring class_name;
  std::string caption;
  SIZE client_size{};  // at 96 dpi
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  DWORD ex_style = WS_EX_CONTROLPARENT;
  COLORREF background = ::GetSysColor(COLOR_BTNFACE);
  FontSpec font;
  HICON icon = nullptr;
  HWND owner = nullptr;
  // The form sees every key before the focused control.
  bool key_preview = false;
};

// A top-level window of the program. Created hidden, once, and kept until the
// program ends; shown and hidden, or shown modally with a result. Controls
// register with their form, which lays them out for its dpi and routes their
// notifications; menu commands go through the form's command table.
class Form : public MessageTarget {
 public:
  Form(Application& application, const FormOptions& options);
  ~Form() override;

  Application& application() const { return application_; }
  Parent AsParent() { return Parent{*this, hwnd()}; }

  void Show();
  void Hide();
  bool IsVisible() const;
  // Asks the form to close, as its close box does.
  void Close();
  void SetCaption(std::string_view caption);
  void CenterOnScreen();
  void CenterOver(HWND other);

  // Modal use: shows the form, disables the program's other windows and runs
  // messages until a result is set. 2 (cancel) when the application ends
  // meanwhile.
  int ShowModal();
  void SetModalResult(int result) { modal_result_ = result; }
  bool is_modal() const { return modal_; }

  // Layout at the form's dpi.
  UINT dpi() const { return dpi_; }
  int Scale(int design_pixels) const;
  HFONT FontFor(const FontSpec& spec) { return fonts_.Get(spec, dpi_); }
  const FontSpec& font() const { return font_; }
  COLORREF background() const { return background_; }
  HBRUSH background_brush() const { return background_brush_.get(); }
  // The outer height at 96 dpi, replacing the one that follows from the
  // client size.
  void SetDesignOuterHeight(int height);
  // The client size at 96 dpi.
  void SetClientSize(SIZE size);

  void AddControl(Control& control);
  void RemoveControl(Control& control);
  void AddTimer(Timer& timer);
  void RemoveTimer(Timer& timer);
  UINT_PTR NewTimerId() { return next_timer_id_++; }

  // Menu commands (and commands from anywhere without a control).
  void SetCommand(int id, std::function<void()> handler);
  // Called before a menu of this form opens, to bring its items up to date.
  void SetMenuUpdater(std::function<void(HMENU)> updater) { menu_updater_ = std::move(updater); }
  void SetMenu(win32::UniqueMenu menu);

  // The button that Enter presses (dialog navigation asks for it).
  void SetDefaultButton(int id) { default_button_ = id; }
  // The control that gets the focus each time the form is shown.
  void SetInitialFocus(Control* control) { initial_focus_ = control; }

  bool key_preview() const { return key_preview_; }
  // Key preview: true when the key was consumed.
  virtual bool PreviewKeyDown(WPARAM virtual_key);
  // A typed character, seen before the focused control; true consumes it.
  // Dialog navigation takes Escape and Enter as key presses, so they arrive
  // as characters only where no navigation applies.
  virtual bool PreviewKeyPress(wchar_t character);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  // Each time the form becomes visible.
  virtual void OnShow() {}
  // Whether a close request may go ahead.
  virtual bool OnCloseQuery() { return true; }
  // A close request that went ahead, outside modal use; hides by default.
  virtual void OnClose() { Hide(); }
  virtual void OnPaintBackground(HDC dc, const RECT& client);
  // A command id from a control's parent chain that has no control: IDOK and
  // IDCANCEL from dialog navigation, for instance.
  virtual void OnDialogCommand(int id) { (void)id; }

 private:
  void ApplyDpi(UINT dpi);
  void ApplySize();
  LRESULT RouteChildMessage(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);

  Application& application_;
  FontSpec font_;
  COLORREF background_;
  win32::UniqueBrush background_brush_;
  SIZE client_size_;
  int design_outer_height_ = 0;
  DWORD style_;
  DWORD ex_style_;
  bool key_preview_;
  UINT dpi_ = 96;
  FontCache fonts_;
  std::vector<Control*> controls_;
  std::map<UINT_PTR, Timer*> timers_;
  UINT_PTR next_timer_id_ = 1;
  std::map<int, std::function<void()>> commands_;
  std::function<void(HMENU)> menu_updater_;
  win32::UniqueMenu menu_;
  int default_button_ = 0;
  Control* initial_focus_ = nullptr;
  int modal_result_ = 0;
  bool modal_ = false;
};

// The colours a container gives a child that has none of its own. Shared by
// forms and panels.
std::optional<LRESULT> HandleChildColor(UINT message, WPARAM wparam, LPARAM lparam,
                                        COLORREF background, HBRUSH background_brush);

}  // namespace qb::toolkit
