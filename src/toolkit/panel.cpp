#include "toolkit/panel.h"

namespace qb::toolkit {
namespace {

constexpr wchar_t kPanelClass[] = L"QuellbrightPanel";

ControlSpec PanelSpec(int id, DesignRect rect) {
  RegisterToolkitClass(kPanelClass);
  ControlSpec spec;
  spec.class_name = kPanelClass;
  spec.style = WS_CLIPSIBLINGS;
  spec.ex_style = WS_EX_CONTROLPARENT;
  spec.id = id;
  spec.rect = rect;
  return spec;
}

}  // namespace

Panel::Panel(Parent parent, int id, DesignRect rect, COLORREF background)
    : Control(parent, PanelSpec(id, rect)), background_(background) {
  SetColors(background);
}

LRESULT Panel::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(hwnd(), &client);
      ::FillRect(reinterpret_cast<HDC>(wparam), &client, background_brush());
      return TRUE;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
      return ::SendMessageW(form().hwnd(), message, wparam, lparam);
    default:
      if (auto result =
              HandleChildColor(message, wparam, lparam, background_, background_brush())) {
        return *result;
      }
      break;
  }
  return Control::OnMessage(message, wparam, lparam);
}

Notebook::Notebook(Parent parent, int id, DesignRect rect) : Panel(parent, id, rect) {}

Panel& Notebook::AddPage(const std::string& name, int id) {
  const DesignRect& own = design_rect();
  auto page = std::make_unique<Panel>(AsParent(), id, DesignRect{0, 0, own.width, own.height});
  page->SetVisible(false);
  Panel& added = *page;
  pages_[name] = std::move(page);
  return added;
}

void Notebook::AddPage(const std::string& name, int id, std::function<void(Panel&)> fill) {
  unmade_[name] = {id, std::move(fill)};
}

void Notebook::SetPage(const std::string& name) {
  if (const auto it = unmade_.find(name); it != unmade_.end()) {
    const UnmadePage unmade = std::move(it->second);
    unmade_.erase(it);
    unmade.fill(AddPage(name, unmade.id));
  }
  Panel& shown = *pages_.at(name);
  for (const auto& [page_name, page] : pages_) {
    if (page.get() != &shown) page->SetVisible(false);
  }
  shown.SetVisible(true);
  current_ = name;
}

}  // namespace qb::toolkit
