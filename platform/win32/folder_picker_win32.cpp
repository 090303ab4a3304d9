#include "platform/win32/folder_picker_win32.h"

#include "platform/win32/windows_api.h"

#include <ole2.h>
#include <shlobj.h>

#include "platform/win32/handles.h"

namespace platform::win32 {
namespace {

// A block from the shell's allocator, given back to it on scope exit.
class ShellBlock {
public:
    ShellBlock(IMalloc& allocator, void* block) : allocator_(allocator), block_(block) {}
    ~ShellBlock() {
        if (block_) allocator_.Free(block_);
    }
    ShellBlock(const ShellBlock&) = delete;
    ShellBlock& operator=(const ShellBlock&) = delete;
    void* get() const { return block_; }
    explicit operator bool() const { return block_ != nullptr; }

private:
    IMalloc& allocator_;
    void* block_;
};

// The new-style picker needs OLE on the calling thread; it stays initialised for the process.
void InitialiseOleOnce() {
    static const HRESULT initialised = ::OleInitialize(nullptr);
    (void)initialised;
}

// Once the picker is up, it selects and scrolls to the folder given as the callback data.
int CALLBACK SelectWhenInitialised(HWND picker, UINT notification, LPARAM, LPARAM folder) {
    if (notification == BFFM_INITIALIZED && folder != 0) ::SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, folder);
    return 0;
}

}  // namespace

std::optional<std::string> Win32FolderPicker::PickFolder(const std::string& title, const std::string& preselected) {
    ComPtr<IMalloc> allocator;
    if (FAILED(::SHGetMalloc(allocator.put())) || !allocator) return std::nullopt;
    ShellBlock path(*allocator.get(), allocator->Alloc(MAX_PATH));
    if (!path) return std::nullopt;
    InitialiseOleOnce();

    BROWSEINFOA info{};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = static_cast<char*>(path.get());
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = SelectWhenInitialised;
    info.lParam = preselected.empty() ? 0 : reinterpret_cast<LPARAM>(preselected.c_str());

    ShellBlock items(*allocator.get(), ::SHBrowseForFolderA(&info));
    if (!items) return std::nullopt;
    // The buffer holds the display name until the path replaces it; without a path there is no pick.
    if (!::SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(items.get()), static_cast<char*>(path.get())))
        return std::nullopt;
    return std::string(static_cast<const char*>(path.get()));
}

}  // namespace platform::win32
