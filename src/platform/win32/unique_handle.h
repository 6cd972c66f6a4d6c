#pragma once

#include <windows.h>

#include <utility>

#ifdef QB_COUNT_HANDLES
#include <map>
#endif

namespace qb::win32 {

#ifdef QB_COUNT_HANDLES
// Leak checks count the handles the program's wrappers hold, since Wine
// reports no handle or GDI object counts. Only in builds that ask for it.
class HandleCensus {
 public:
  using Holds = bool (*)(const void* wrapper);
  static void Enter(const void* wrapper, Holds holds) { Wrappers()[wrapper] = holds; }
  static void Leave(const void* wrapper) { Wrappers().erase(wrapper); }
  // How many wrappers hold a handle now.
  static long Live() {
    long live = 0;
    for (const auto& [wrapper, holds] : Wrappers()) live += holds(wrapper) ? 1 : 0;
    return live;
  }

 private:
  static std::map<const void*, Holds>& Wrappers() {
    static std::map<const void*, Holds> wrappers;
    return wrappers;
  }
};
#endif

// One move-only owner for every kind of Windows handle. Traits name the
// handle type, its empty value and how it is closed.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() { Count(); }
  explicit UniqueHandle(Handle handle) : handle_(handle) { Count(); }
  ~UniqueHandle() {
    reset();
#ifdef QB_COUNT_HANDLES
    HandleCensus::Leave(this);
#endif
  }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) { Count(); }
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Empty(); }

  [[nodiscard]] Handle release() { return std::exchange(handle_, Traits::Empty()); }

  void reset(Handle handle = Traits::Empty()) {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::Empty()) Traits::Close(old);
  }

  // For out-parameters of Windows functions; closes what is held first.
  Handle* put() {
    reset();
    return &handle_;
  }

 private:
  void Count() {
#ifdef QB_COUNT_HANDLES
    HandleCensus::Enter(this, [](const void* wrapper) {
      return static_cast<const UniqueHandle*>(wrapper)->handle_ != Traits::Empty();
    });
#endif
  }

  Handle handle_ = Traits::Empty();
};

struct HkeyTraits {
  using Handle = HKEY;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::RegCloseKey(handle); }
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { ::CloseHandle(handle); }
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::CloseHandle(handle); }
};

struct FindTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { ::FindClose(handle); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::DestroyMenu(handle); }
};

struct IconTraits {
  using Handle = HICON;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::DestroyIcon(handle); }
};

template <typename GdiHandle>
struct GdiObjectTraits {
  using Handle = GdiHandle;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::DeleteObject(handle); }
};

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::DeleteDC(handle); }
};

// Memory the program hands to Windows (the clipboard) or gets from it.
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::GlobalFree(handle); }
};

template <typename Pointer>
struct LocalMemoryTraits {
  using Handle = Pointer;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::LocalFree(handle); }
};

struct WindowTraits {
  using Handle = HWND;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::DestroyWindow(handle); }
};

struct WinEventHookTraits {
  using Handle = HWINEVENTHOOK;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::UnhookWinEvent(handle); }
};

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::FreeLibrary(handle); }
};

using UniqueHkey = UniqueHandle<HkeyTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;
template <typename Pointer>
using UniqueLocal = UniqueHandle<LocalMemoryTraits<Pointer>>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueWinEventHook = UniqueHandle<WinEventHookTraits>;

}  // namespace qb::win32
