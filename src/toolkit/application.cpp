#include "toolkit/application.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "toolkit/form.h"

namespace qb::toolkit {
namespace {

Application* g_current = nullptr;

}  // namespace

Application::Application(HINSTANCE instance, std::string title)
    : instance_(instance), title_(std::move(title)) {
  g_current = this;
}

Application::~Application() { g_current = nullptr; }

Application& Application::Current() { return *g_current; }

int Application::Run(Form& main_form, bool show_main_form) {
  if (terminated_) return 0;
  if (show_main_form) main_form.Show();
  MSG message;
  while (waits_.NextMessage(message)) Dispatch(message);
  terminated_ = true;
  return 0;
}

void Application::Terminate() {
  terminated_ = true;
  ::PostQuitMessage(0);
}

void Application::RunModalLoop(const std::function<bool()>& done) {
  MSG message;
  while (!terminated_ && !done()) {
    if (!waits_.NextMessage(message)) {
      // Leave the quit request for the outer loop.
      terminated_ = true;
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }
}

void Application::ProcessMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      terminated_ = true;
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }
}

void Application::Dispatch(MSG& message) {
  if (PreTranslate(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

bool Application::PreTranslate(MSG& message) {
  if (!message.hwnd) return false;
  Form* form = FormOf(::GetAncestor(message.hwnd, GA_ROOT));
  if (!form) return false;
  if (message.message == WM_KEYDOWN && form->key_preview()) {
    bool consumed = false;
    Guarded([&] { consumed = form->PreviewKeyDown(message.wParam); });
    if (consumed) return true;
  }
  if (message.message == WM_CHAR && form->key_preview()) {
    bool consumed = false;
    Guarded([&] { consumed = form->PreviewKeyPress(static_cast<wchar_t>(message.wParam)); });
    if (consumed) return true;
  }
  return ::IsDialogMessageW(form->hwnd(), &message) != 0;
}

void Application::EnterBusy() {
  if (busy_depth_++ == 0) ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

void Application::LeaveBusy() {
  if (--busy_depth_ == 0) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void Application::AddForm(Form& form) { forms_.push_back(&form); }

void Application::RemoveForm(Form& form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
}

Form* Application::FormOf(HWND window) const {
  const auto it = std::find_if(forms_.begin(), forms_.end(),
                               [&](Form* form) { return form->hwnd() == window; });
  return it == forms_.end() ? nullptr : *it;
}

void ShowErrorBox(const std::string& message) {
  const std::string caption = g_current ? g_current->title() : std::string();
  HWND owner = ::GetActiveWindow();
  ::MessageBoxW(owner, win32::Widen(ErrorBoxText(message)).c_str(), win32::Widen(caption).c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace qb::toolkit
