#pragma once
// Owns one reference to a COM object and releases it on every way out.

#include <utility>

namespace qrv {

template <typename Interface> class TComPtr {
public:
    TComPtr() = default;
    // Takes over a reference the caller holds.
    explicit TComPtr(Interface* taken) : object_(taken) {}
    ~TComPtr() { Reset(); }
    TComPtr(TComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    TComPtr& operator=(TComPtr&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.object_, nullptr));
        }
        return *this;
    }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;

    Interface* Get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    void Reset(Interface* taken = nullptr) {
        if (object_ != nullptr) {
            object_->Release();
        }
        object_ = taken;
    }
    // For a function that hands out a new reference: what was held goes first.
    Interface** Receive() {
        Reset();
        return &object_;
    }
    // Hands the reference on to the caller.
    Interface* Detach() { return std::exchange(object_, nullptr); }

private:
    Interface* object_ = nullptr;
};

} // namespace qrv
