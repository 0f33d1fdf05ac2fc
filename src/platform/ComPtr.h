// Owner of one interface reference: AddRef on copy, Release on destruction.
// The only place in program code where Release is called.
#pragma once

#include <utility>

#include "platform/Com.h"

namespace tavir {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference to p.
  explicit ComPtr(T* p) : pointer_(p) {
    if (pointer_) pointer_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.pointer_) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  // Adopts a reference the caller already owns (e.g. from an out-parameter).
  static ComPtr Adopt(T* p) {
    ComPtr result;
    result.pointer_ = p;
    return result;
  }

  void Reset() {
    if (T* p = std::exchange(pointer_, nullptr)) p->Release();
  }
  // For out-parameters: releases the current reference first.
  T** Receive() {
    Reset();
    return &pointer_;
  }
  // Gives up ownership without releasing.
  T* Detach() { return std::exchange(pointer_, nullptr); }

  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // QueryInterface for another interface; an empty pointer when it fails.
  // The HRESULT is returned through hr when given.
  template <typename U>
  ComPtr<U> Query(const IID& iid, HRESULT* hr = nullptr) const {
    ComPtr<U> result;
    HRESULT status = E_POINTER;
    if (pointer_) {
      status = pointer_->QueryInterface(iid, reinterpret_cast<void**>(result.Receive()));
      if (FAILED(status)) result.Detach();
    }
    if (hr) *hr = status;
    return result;
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace tavir
