#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string_view>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "toolkit/message_target.h"

namespace qb::toolkit {

class Application;

// The message the icon's window gets for mouse actions on the icon, with the
// mouse message in lparam; tests click the icon with it.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// The program's icon in the notification area. Owns its notification data,
// its images and a hidden window of its own that receives the icon's mouse
// messages, the shell's "TaskbarCreated" broadcast (which message-only
// windows would miss) and the cycling timer. A shell
// that refuses the icon (no notification area) is no error: added() says so.
class TrayIcon : public MessageTarget {
 public:
  // `images` are resource ids of the image list, in order.
  TrayIcon(Application& application, const std::vector<int>& images);
  ~TrayIcon() override;

  // Puts the icon into the notification area; false when the shell refused.
  bool Add();
  bool added() const { return added_; }
  // By index into the images; past the end takes the last one.
  void SetImage(int index);
  int image() const { return image_; }
  // Cut to 127 characters.
  void SetHint(std::string_view hint);
  // Removes any balloon first; title cut to 63, text to 255 characters.
  void ShowBalloon(std::string_view title, std::string_view text, int timeout_seconds);
  void HideBalloon();
  // On: image 0, then the next image every 500 ms; off: stays where it is.
  void SetCycling(bool on);
  bool cycling() const { return cycling_; }

  // A single left click.
  std::function<void()> on_click;
  // A right-button press, with the cursor position. The handler brings the
  // menu's owner to the foreground before it opens the menu, or the menu
  // would not close when the user clicks elsewhere.
  std::function<void(POINT)> on_menu;
  // The shell was re-created and the icon was offered to it again.
  std::function<void()> on_readded;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Modify(UINT flags);

  std::vector<win32::UniqueIcon> images_;
  NOTIFYICONDATAW data_{};
  UINT taskbar_created_;
  int image_ = 0;
  bool added_ = false;
  bool cycling_ = false;
};

}  // namespace qb::toolkit
