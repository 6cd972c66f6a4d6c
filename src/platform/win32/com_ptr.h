#pragma once

#include <windows.h>

#include <unknwn.h>

#include <utility>

namespace qb::win32 {

// Owns one reference to a COM object and releases it when it goes.
// Move-only, as UniqueHandle.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller holds.
  explicit ComPtr(Interface* object) : object_(object) {}
  ~ComPtr() { reset(); }

  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  void reset() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }
  // For out-parameters of COM functions; releases what is held first.
  Interface** put() {
    reset();
    return &object_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

 private:
  Interface* object_ = nullptr;
};

}  // namespace qb::win32
