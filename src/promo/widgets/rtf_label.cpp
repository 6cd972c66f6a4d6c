#include "promo/widgets/rtf_label.h"

#include <richedit.h>

#include "platform/win32/device_context.h"
#include "toolkit/application.h"
#include "toolkit/backdrop.h"
#include "toolkit/click_tracker.h"

namespace qb::promo {
namespace {

constexpr wchar_t kLabelClass[] = L"QuellbrightRtfLabel";
constexpr int kInset = 1;  // pixels left free at the left and the top
constexpr int kTwipsPerInch = 1440;

toolkit::ControlSpec LabelSpec(int id, toolkit::DesignRect rect) {
  toolkit::RegisterToolkitClass(kLabelClass);
  toolkit::ControlSpec spec;
  spec.class_name = kLabelClass;
  spec.style = WS_CLIPSIBLINGS;
  spec.id = id;
  spec.rect = rect;
  return spec;
}

struct StreamSource {
  const std::string* text;
  std::size_t offset;
};

DWORD CALLBACK ReadDocument(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const std::size_t left = source->text->size() - source->offset;
  const std::size_t count = std::min<std::size_t>(left, static_cast<std::size_t>(size));
  std::copy_n(source->text->data() + source->offset, count, buffer);
  source->offset += count;
  *read = static_cast<LONG>(count);
  return 0;
}

// The rich-edit library: version 4.1 where there is one, else 2.0.
std::pair<win32::UniqueModule, const wchar_t*> LoadRichEdit() {
  if (HMODULE module = ::LoadLibraryW(L"msftedit.dll")) {
    return {win32::UniqueModule(module), L"RICHEDIT50W"};
  }
  return {win32::UniqueModule(::LoadLibraryW(L"riched20.dll")), L"RichEdit20W"};
}

}  // namespace

TRTFLabel::TRTFLabel(toolkit::Parent parent, int id, toolkit::DesignRect rect,
                     std::string rich_text, COLORREF background)
    : toolkit::ClickableControl(parent, LabelSpec(id, rect)),
      rich_text_(std::move(rich_text)),
      background_(background) {
  auto [library, class_name] = LoadRichEdit();
  library_ = std::move(library);
  RECT client;
  ::GetClientRect(hwnd(), &client);
  // Hidden: it only lays the document out. As a child it stays out of the
  // program's top-level windows and goes with the label.
  renderer_.reset(::CreateWindowExW(0, class_name, L"", WS_CHILD | ES_MULTILINE | ES_READONLY, 0, 0,
                                    client.right - kInset, client.bottom - kInset, hwnd(), nullptr,
                                    form().application().instance(), nullptr));
  if (!renderer_) return;
  StreamSource source{&rich_text_, 0};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadDocument};
  ::SendMessageW(renderer_.get(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  ::SendMessageW(renderer_.get(), EM_SETBKGNDCOLOR, 0, background_);
}

TRTFLabel::~TRTFLabel() = default;

void TRTFLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

bool TRTFLabel::FormatInto(HDC dc, const RECT& area) {
  const int per_inch_x = ::GetDeviceCaps(dc, LOGPIXELSX);
  const int per_inch_y = ::GetDeviceCaps(dc, LOGPIXELSY);
  FORMATRANGE range{};
  range.hdc = dc;
  range.hdcTarget = dc;
  range.rc = RECT{::MulDiv(area.left, kTwipsPerInch, per_inch_x),
                  ::MulDiv(area.top, kTwipsPerInch, per_inch_y),
                  ::MulDiv(area.right, kTwipsPerInch, per_inch_x),
                  ::MulDiv(area.bottom, kTwipsPerInch, per_inch_y)};
  range.rcPage = range.rc;
  range.chrg = CHARRANGE{0, -1};
  const LRESULT formatted =
      ::SendMessageW(renderer_.get(), EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  ::SendMessageW(renderer_.get(), EM_FORMATRANGE, FALSE, 0);  // frees the cached layout
  return formatted > 0;
}

void TRTFLabel::PrintInto(HDC dc, const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  ::SetWindowPos(renderer_.get(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const win32::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  const win32::UniqueBitmap surface(::CreateCompatibleBitmap(dc, width, height));
  const win32::SelectedObject surface_selected(memory.get(), surface.get());
  if (!surface_selected) return;
  HDC printed = memory.get();
  // The renderer may leave its margins unpainted: they must read as its
  // background too.
  const RECT whole{0, 0, width, height};
  win32::UniqueBrush brush(::CreateSolidBrush(background_));
  ::FillRect(printed, &whole, brush.get());
  ::SendMessageW(renderer_.get(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed),
                 PRF_CLIENT | PRF_ERASEBKGND);
  if (transparent_) {
    // The renderer paints its background in the label's colour; leaving
    // that colour out leaves the text.
    ::GdiTransparentBlt(dc, area.left, area.top, width, height, printed, 0, 0, width, height,
                        background_);
  } else {
    ::BitBlt(dc, area.left, area.top, width, height, printed, 0, 0, SRCCOPY);
  }
}

void TRTFLabel::Paint(HDC target) {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const win32::UniqueMemoryDc memory(::CreateCompatibleDC(target));
  const win32::UniqueBitmap surface(::CreateCompatibleBitmap(target, client.right, client.bottom));
  const win32::SelectedObject surface_selected(memory.get(), surface.get());
  if (!surface_selected) return;
  HDC dc = memory.get();
  if (transparent_) {
    toolkit::PaintBackdrop(hwnd(), dc);
  } else {
    win32::UniqueBrush brush(::CreateSolidBrush(background_));
    ::FillRect(dc, &client, brush.get());
  }
  const RECT area{kInset, kInset, client.right, client.bottom};
  if (renderer_) {
    if (format_range_works_) format_range_works_ = FormatInto(dc, area) || rich_text_.empty();
    if (!format_range_works_) PrintInto(dc, area);
  }
  ::BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

}  // namespace qb::promo
