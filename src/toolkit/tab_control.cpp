#include "toolkit/tab_control.h"

#include <commctrl.h>

#include "platform/win32/wide.h"

namespace qb::toolkit {
namespace {

ControlSpec TabSpec(int id, DesignRect rect) {
  ControlSpec spec;
  spec.class_name = WC_TABCONTROLW;
  // Clipping keeps the tabs from painting over the pages, and over controls
  // of the form that lie on top of the page control.
  spec.style = WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  // Dialog navigation descends into the pages.
  spec.ex_style = WS_EX_CONTROLPARENT;
  spec.id = id;
  spec.rect = rect;
  return spec;
}

}  // namespace

TabControl::TabControl(Parent parent, int id, DesignRect rect)
    : Control(parent, TabSpec(id, rect)) {}

Panel& TabControl::AddPage(const std::string& caption, int page_id) {
  std::wstring text = win32::Widen(caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  const auto index = static_cast<int>(pages_.size());
  ::SendMessageW(hwnd(), TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
  auto page = std::make_unique<Panel>(AsParent(), page_id, PageRect());
  Panel& added = *page;
  pages_.push_back(std::move(page));
  ShowSelectedPage();
  return added;
}

void TabControl::SelectPage(int index) {
  ::SendMessageW(hwnd(), TCM_SETCURSEL, index, 0);
  ShowSelectedPage();
}

int TabControl::SelectedPage() const {
  return static_cast<int>(::SendMessageW(hwnd(), TCM_GETCURSEL, 0, 0));
}

bool TabControl::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != hwnd() || header.code != TCN_SELCHANGE) return false;
  ShowSelectedPage();
  return true;
}

// The display area below the tabs, at 96 dpi.
DesignRect TabControl::PageRect() const {
  RECT area;
  ::GetClientRect(hwnd(), &area);
  ::SendMessageW(hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  const auto unscale = [&](LONG pixels) {
    return ::MulDiv(pixels, 96, static_cast<int>(form().dpi()));
  };
  return {unscale(area.left), unscale(area.top), unscale(area.right - area.left),
          unscale(area.bottom - area.top)};
}

void TabControl::ShowSelectedPage() {
  const int selected = SelectedPage();
  for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
    pages_[i]->SetVisible(i == selected);
  }
}

void TabControl::ApplyOwnDpi() {
  const DesignRect rect = PageRect();
  for (const auto& page : pages_) page->SetDesignRect(rect);
}

}  // namespace qb::toolkit
