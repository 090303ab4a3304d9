#pragma once
// One move-only owner per kind of Windows handle.
#include <windows.h>

#include <utility>

namespace platform::win32 {

template <class Handle, class Closer, Handle Empty>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty; }
    Handle release() { return std::exchange(handle_, Empty); }
    void reset(Handle handle = Empty) {
        if (handle_ != Empty) Closer()(handle_);
        handle_ = handle;
    }
    Handle* put() {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Empty;
};

struct CloseKernelHandle { void operator()(HANDLE h) const { ::CloseHandle(h); } };
struct CloseRegistryKey { void operator()(HKEY k) const { ::RegCloseKey(k); } };
struct CloseFind { void operator()(HANDLE h) const { ::FindClose(h); } };
struct DeleteGdiObject { void operator()(HGDIOBJ o) const { ::DeleteObject(o); } };

using unique_handle = UniqueHandle<HANDLE, CloseKernelHandle, nullptr>;
using unique_file = UniqueHandle<HANDLE, CloseKernelHandle, INVALID_HANDLE_VALUE>;
using unique_hkey = UniqueHandle<HKEY, CloseRegistryKey, nullptr>;
using unique_find = UniqueHandle<HANDLE, CloseFind, INVALID_HANDLE_VALUE>;
using unique_gdi = UniqueHandle<HGDIOBJ, DeleteGdiObject, nullptr>;

// A COM interface pointer released on scope exit.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void** put_void() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    Interface** put() {
        reset();
        return &pointer_;
    }
    void reset() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }

private:
    Interface* pointer_ = nullptr;
};

inline HWND ToHwnd(std::uintptr_t window) { return reinterpret_cast<HWND>(window); }
inline std::uintptr_t FromHwnd(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

}  // namespace platform::win32
