#include "platform/win32/resources_win32.h"

#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

// The bytes stay in the mapped module: nothing is copied here.
class Win32ResourceImage : public ResourceImage {
public:
    Win32ResourceImage(HGLOBAL loaded, DWORD size) : loaded_(loaded), bytes_(::LockResource(loaded)), size_(size) {}
    ~Win32ResourceImage() override { ::FreeResource(loaded_); }
    Win32ResourceImage(const Win32ResourceImage&) = delete;
    Win32ResourceImage& operator=(const Win32ResourceImage&) = delete;
    const void* Bytes() const override { return bytes_; }
    std::size_t Size() const override { return size_; }

private:
    HGLOBAL loaded_;
    const void* bytes_;
    std::size_t size_;
};

}  // namespace

std::unique_ptr<ResourceImage> Win32Resources::Load(const std::string& name, const std::string& type) {
    HMODULE self = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(self, name.c_str(), type.c_str());
    if (!found) return nullptr;
    HGLOBAL loaded = ::LoadResource(self, found);
    if (!loaded) return nullptr;
    auto image = std::make_unique<Win32ResourceImage>(loaded, ::SizeofResource(self, found));
    if (!image->Bytes()) return nullptr;
    return image;
}

}  // namespace platform::win32
