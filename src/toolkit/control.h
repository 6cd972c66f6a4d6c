#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/font.h"
#include "toolkit/form.h"
#include "toolkit/message_target.h"

namespace qb::toolkit {

class PopupMenu;

// A position and size at 96 dpi, relative to the parent's client area.
struct DesignRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

enum class MouseButton { kLeft, kRight, kMiddle };

struct ControlSpec {
  const wchar_t* class_name = nullptr;
  DWORD style = 0;  // WS_CHILD and WS_VISIBLE are added
  DWORD ex_style = 0;
  int id = 0;
  DesignRect rect;
  std::string text;
  std::optional<FontSpec> font;  // the form's font when empty
};

// A child window of a form: a system control or one of the toolkit's own.
// Created with the object, destroyed with it, laid out by its form.
class Control : public MessageTarget {
 public:
  ~Control() override;

  Form& form() const { return form_; }
  int id() const { return id_; }
  Parent AsParent() { return Parent{form_, hwnd()}; }

  void SetText(std::string_view text);
  std::string Text() const;
  void SetEnabled(bool enabled);
  bool IsEnabled() const;
  // The control's own visibility, whatever its parents show.
  void SetVisible(bool visible);
  bool IsVisible() const;
  void SetFocus();
  void SetFont(const FontSpec& font);
  void SetColors(std::optional<COLORREF> background, std::optional<COLORREF> text = std::nullopt);
  void SetPopupMenu(PopupMenu* menu) { popup_menu_ = menu; }
  // The control's own background brush; null when it has none.
  HBRUSH background_brush() const { return background_brush_.get(); }
  const DesignRect& design_rect() const { return rect_; }
  void SetDesignRect(const DesignRect& rect);
  // Position and font for the form's present dpi.
  void ApplyLayout();

  // Any mouse button released over the control, after the control has
  // handled it; coordinates in client pixels.
  std::function<void(MouseButton button, int x, int y)> on_mouse_up;
  // A typed character; true consumes it.
  std::function<bool(wchar_t character)> on_key_press;

  // Routed here by the form.
  virtual void OnCommand(WORD code) { (void)code; }
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) {
    (void)item;
    return false;
  }
  // The brush for WM_CTLCOLOR*, when the control has colours of its own.
  virtual std::optional<LRESULT> OnColor(HDC dc);

 protected:
  Control(Parent parent, const ControlSpec& spec);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // Sizes of the control's own that follow the dpi, after a change of it.
  virtual void ApplyOwnDpi() {}

 private:
  void ShowPopupMenu(LPARAM position);

  Form& form_;
  int id_;
  DesignRect rect_;
  std::optional<FontSpec> font_;
  std::optional<COLORREF> background_;
  std::optional<COLORREF> text_color_;
  win32::UniqueBrush background_brush_;
  PopupMenu* popup_menu_ = nullptr;
};

}  // namespace qb::toolkit
