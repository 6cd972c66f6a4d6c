#include "promo/widgets/picture.h"

#include <algorithm>

#include "platform/win32/device_context.h"
#include "toolkit/application.h"
#include "toolkit/click_tracker.h"

namespace qb::promo {
namespace {

constexpr wchar_t kPictureClass[] = L"QuellbrightPicture";

toolkit::ControlSpec PictureSpec(int id, toolkit::DesignRect rect) {
  toolkit::RegisterToolkitClass(kPictureClass);
  toolkit::ControlSpec spec;
  spec.class_name = kPictureClass;
  spec.style = WS_CLIPSIBLINGS;
  spec.id = id;
  spec.rect = rect;
  return spec;
}

}  // namespace

Picture::Picture(toolkit::Parent parent, int id, toolkit::DesignRect rect, COLORREF background)
    : toolkit::ClickableControl(parent, PictureSpec(id, rect)), background_(background) {}

void Picture::SetBitmap(win32::UniqueBitmap bitmap) {
  bitmap_ = std::move(bitmap);
  BITMAP description{};
  if (bitmap_) ::GetObjectW(bitmap_.get(), sizeof description, &description);
  bitmap_size_ = SIZE{description.bmWidth, description.bmHeight};
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void Picture::Paint(HDC dc) {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const int width = bitmap_ ? std::min<int>(bitmap_size_.cx, client.right) : 0;
  const int height = bitmap_ ? std::min<int>(bitmap_size_.cy, client.bottom) : 0;
  if (width > 0 && height > 0) {
    const win32::UniqueMemoryDc source(::CreateCompatibleDC(dc));
    const win32::SelectedObject selected(source.get(), bitmap_.get());
    if (selected) ::BitBlt(dc, 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
  }
  // What the bitmap leaves uncovered, right and below.
  win32::UniqueBrush brush(::CreateSolidBrush(background_));
  const RECT right{width, 0, client.right, client.bottom};
  const RECT below{0, height, width, client.bottom};
  ::FillRect(dc, &right, brush.get());
  ::FillRect(dc, &below, brush.get());
}

}  // namespace qb::promo
