#pragma once

#include <windows.h>

#include <utility>

// Owners of what painting and measuring borrow from a device context. Each
// gives back what it took when it goes, also when an exception passes;
// move-only, as UniqueHandle. A memory device context is a UniqueMemoryDc
// (unique_handle.h).
namespace qb::win32 {

// A window's device context (GetDC), released to that window (ReleaseDC).
// A null window gives the screen's.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() { Release(); }

  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc(WindowDc&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept {
    if (this != &other) {
      Release();
      window_ = other.window_;
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  void Release() {
    if (dc_) ::ReleaseDC(window_, std::exchange(dc_, nullptr));
  }

  HWND window_;
  HDC dc_;
};

// An object selected into a device context (SelectObject). The object it
// replaced goes back when this goes, so that neither is deleted while
// selected. Declare it after the owners of the object and the context.
// Not for regions, whose selection returns no object.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(Select(dc, object)) {}
  ~SelectedObject() { Restore(); }

  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  SelectedObject(SelectedObject&& other) noexcept
      : dc_(other.dc_), old_(std::exchange(other.old_, nullptr)) {}
  SelectedObject& operator=(SelectedObject&& other) noexcept {
    if (this != &other) {
      Restore();
      dc_ = other.dc_;
      old_ = std::exchange(other.old_, nullptr);
    }
    return *this;
  }

  // Whether the object was selected.
  explicit operator bool() const { return old_ != nullptr; }

 private:
  static HGDIOBJ Select(HDC dc, HGDIOBJ object) {
    if (!dc || !object) return nullptr;
    HGDIOBJ old = ::SelectObject(dc, object);
    return old == HGDI_ERROR ? nullptr : old;
  }
  void Restore() {
    if (old_) ::SelectObject(dc_, std::exchange(old_, nullptr));
  }

  HDC dc_;
  HGDIOBJ old_;
};

// The state of a device context (clipping, colours, selected objects) as
// it was made (SaveDC), put back when this goes (RestoreDC).
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(dc ? ::SaveDC(dc) : 0) {}
  ~SavedDcState() { Restore(); }

  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  SavedDcState(SavedDcState&& other) noexcept
      : dc_(other.dc_), saved_(std::exchange(other.saved_, 0)) {}
  SavedDcState& operator=(SavedDcState&& other) noexcept {
    if (this != &other) {
      Restore();
      dc_ = other.dc_;
      saved_ = std::exchange(other.saved_, 0);
    }
    return *this;
  }

 private:
  void Restore() {
    if (saved_ != 0) ::RestoreDC(dc_, std::exchange(saved_, 0));
  }

  HDC dc_;
  int saved_;
};

// The paint of a window in answer to WM_PAINT (BeginPaint ... EndPaint).
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  ~PaintScope() { End(); }

  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  PaintScope(PaintScope&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), paint_(other.paint_), dc_(other.dc_) {}
  PaintScope& operator=(PaintScope&& other) noexcept {
    if (this != &other) {
      End();
      window_ = std::exchange(other.window_, nullptr);
      paint_ = other.paint_;
      dc_ = other.dc_;
    }
    return *this;
  }

  HDC dc() const { return dc_; }
  // What needs painting, in client coordinates.
  const RECT& area() const { return paint_.rcPaint; }

 private:
  void End() {
    if (window_) ::EndPaint(std::exchange(window_, nullptr), &paint_);
  }

  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace qb::win32
