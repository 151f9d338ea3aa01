// A holder for one COM reference: released when replaced or when the holder goes.
#pragma once

#include <unknwn.h>

template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept { Swap(other); }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr taken(static_cast<ComPtr&&>(other));
        Swap(taken);
        return *this;
    }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For creation calls that hand out a new reference; drops the old one first.
    T** Receive() {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    void Swap(ComPtr& other) {
        T* pointer = pointer_;
        pointer_ = other.pointer_;
        other.pointer_ = pointer;
    }

    void Reset() {
        if (pointer_) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }

  private:
    T* pointer_ = nullptr;
};
