// The one owner of system handles: file descriptors and Windows handles,
// registry keys, GDI objects, SQLite connections and statements. A small
// traits struct says what the handle is, which value means "none" and how
// it is closed:
//   struct Traits {
//     using Handle = ...;
//     static Handle Invalid();
//     static bool Close(Handle handle);  // false when closing reports a failure
//   };
#pragma once

#include <utility>

namespace tavir {

// Owns one handle and closes it when it goes; movable, not copyable.
template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  ScopedHandle() = default;
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ~ScopedHandle() { Close(); }
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other)
      Reset(other.Release());
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  Handle Get() const { return handle_; }
  bool IsValid() const { return handle_ != Traits::Invalid(); }
  explicit operator bool() const { return IsValid(); }
  // Hands the handle over; the caller closes it.
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  // Closes the handle held, if any, and takes handle instead.
  void Reset(Handle handle = Traits::Invalid()) {
    Close();
    handle_ = handle;
  }
  // Closes now; false when closing reports a failure (written data may not
  // have reached the disk, say). The owner holds nothing afterwards.
  bool Close() { return !IsValid() || Traits::Close(Release()); }
  // For calls that hand a new handle out through a pointer.
  Handle* Receive() {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

}  // namespace tavir
