#pragma once
// One move-only owner per kind of Windows handle.
#include "platform/win32/windows_api.h"

#include <utility>

namespace platform::win32 {

// Traits: `Handle`, `static Handle Empty()`, `static void Close(Handle)`.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;
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
    explicit operator bool() const { return handle_ != Traits::Empty(); }
    Handle release() { return std::exchange(handle_, Traits::Empty()); }
    void reset(Handle handle = Traits::Empty()) {
        if (handle_ != Traits::Empty()) Traits::Close(handle_);
        handle_ = handle;
    }
    Handle* put() {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Empty();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle k) { ::RegCloseKey(k); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Empty() { return nullptr; }
    static void Close(Handle o) { ::DeleteObject(o); }
};

using unique_handle = UniqueHandle<KernelHandleTraits>;
using unique_file = UniqueHandle<FileHandleTraits>;
using unique_hkey = UniqueHandle<RegistryKeyTraits>;
using unique_find = UniqueHandle<FindHandleTraits>;
using unique_gdi = UniqueHandle<GdiObjectTraits>;

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
