#include "promo/widgets/gauge.h"

#include <algorithm>
#include <string>

#include "platform/win32/device_context.h"
#include "platform/win32/unique_handle.h"

namespace qb::promo {
namespace {

constexpr wchar_t kGaugeClass[] = L"QuellbrightGauge";

toolkit::ControlSpec GaugeSpec(int id, toolkit::DesignRect rect) {
  toolkit::RegisterToolkitClass(kGaugeClass);
  toolkit::ControlSpec spec;
  spec.class_name = kGaugeClass;
  spec.id = id;
  spec.rect = rect;
  spec.text = "0%";
  return spec;
}

}  // namespace

TGauge::TGauge(toolkit::Parent parent, int id, toolkit::DesignRect rect)
    : toolkit::PaintedControl(parent, GaugeSpec(id, rect)) {
  // The base class set the font before this class could take it.
  SetFont(form().font());
  Update();
}

void TGauge::SetRange(std::int64_t minimum, std::int64_t maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  progress_ = std::clamp(progress_, minimum_, maximum_);
  Update();
}

void TGauge::SetProgress(std::int64_t progress) {
  progress_ = std::clamp(progress, minimum_, maximum_);
  Update();
}

void TGauge::Update() {
  const int percent = maximum_ == minimum_
                          ? 0
                          : static_cast<int>((progress_ - minimum_) * 100 / (maximum_ - minimum_));
  if (percent == percent_) return;
  percent_ = percent;
  SetText(std::to_string(percent) + "%");
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TGauge::Paint(HDC target) {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const int width = client.right;
  const int height = client.bottom;
  // Drawn off screen and copied at once, so the bar never flickers.
  const win32::UniqueMemoryDc memory(::CreateCompatibleDC(target));
  const win32::UniqueBitmap surface(::CreateCompatibleBitmap(target, width, height));
  const win32::SelectedObject surface_selected(memory.get(), surface.get());
  if (!surface_selected) return;
  HDC dc = memory.get();
  const win32::SelectedObject font(dc, font_ ? font_ : ::GetStockObject(DEFAULT_GUI_FONT));

  const RECT inside{1, 1, width - 1, height - 1};
  const int filled = inside.left + (inside.right - inside.left) * percent_ / 100;
  const RECT done{inside.left, inside.top, filled, inside.bottom};
  const RECT rest{filled, inside.top, inside.right, inside.bottom};
  ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  ::FillRect(dc, &rest, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));

  // The text is black over the white part and white over the black part.
  const std::wstring text = std::to_wstring(percent_) + L"%";
  ::SetBkMode(dc, TRANSPARENT);
  for (const auto& [part, colour] : {std::pair{rest, RGB(0, 0, 0)}, {done, RGB(255, 255, 255)}}) {
    RECT box = inside;
    const win32::SavedDcState clip(dc);
    ::IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    ::SetTextColor(dc, colour);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  ::BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

LRESULT TGauge::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) ::InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    default:
      break;
  }
  return toolkit::PaintedControl::OnMessage(message, wparam, lparam);
}

}  // namespace qb::promo
