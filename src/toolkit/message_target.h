#pragma once

#include <windows.h>

namespace qb::toolkit {

// Anything with a window that the toolkit sends messages to: forms and
// controls alike. The window is subclassed, so the same mechanism serves the
// toolkit's own classes and the system's controls; the window's
// GWLP_USERDATA belongs to the toolkit. OnMessage is the one boundary where
// exceptions stop: they become the application's default error box.
class MessageTarget {
 public:
  MessageTarget(const MessageTarget&) = delete;
  MessageTarget& operator=(const MessageTarget&) = delete;

  HWND hwnd() const { return hwnd_; }
  // The target attached to `window`, or null for windows of others.
  static MessageTarget* FromWindow(HWND window);

 protected:
  MessageTarget() = default;
  virtual ~MessageTarget();

  // Takes ownership of `window`: it is destroyed with this object.
  void Attach(HWND window);
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // What the window would have done without the toolkit.
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam,
                                    LPARAM lparam) noexcept;
  // Gives the window its own procedure back.
  void Detach();

  HWND hwnd_ = nullptr;
  WNDPROC own_procedure_ = nullptr;
};

// Registers a window class of the toolkit's own, once per name. Its windows
// get all their behaviour from the subclass.
void RegisterToolkitClass(const wchar_t* class_name, HICON icon = nullptr,
                          UINT class_style = CS_DBLCLKS);

}  // namespace qb::toolkit
