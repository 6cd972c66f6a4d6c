#include "promo/widgets/picture.h"

#include <algorithm>

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
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(source, bitmap_.get());
    ::BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
  }
  // What the bitmap leaves uncovered, right and below.
  win32::UniqueBrush brush(::CreateSolidBrush(background_));
  const RECT right{width, 0, client.right, client.bottom};
  const RECT below{0, height, width, client.bottom};
  ::FillRect(dc, &right, brush.get());
  ::FillRect(dc, &below, brush.get());
}

}  // namespace qb::promo
