#pragma once
// Ownership of COM objects and of the thread's COM apartment, released on every path.

#include <objbase.h>

namespace kaleidra::stage_tool {

template <class Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() { reset(); }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* operator->() const { return object_; }
    Interface* get() const { return object_; }
    // For a call that hands over a new reference; what was held before is released first.
    void** put() {
        reset();
        return reinterpret_cast<void**>(&object_);
    }
    Interface** putTyped() {
        reset();
        return &object_;
    }

private:
    void reset() {
        if (object_ != nullptr) object_->Release();
        object_ = nullptr;
    }

    Interface* object_ = nullptr;
};

// COM for the calling thread while this lives. Declared before the objects it serves, so that they
// are released first.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // A thread already in an apartment of the other kind serves as well.
    bool ready() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

}  // namespace kaleidra::stage_tool
