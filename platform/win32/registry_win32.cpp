#include "platform/win32/windows_api.h"
#include "platform/win32/registry_win32.h"

#include <vector>

#include "platform/win32/handles.h"

namespace platform::win32 {
namespace {

HKEY ToHkey(RootKey root) {
    switch (root) {
        case RootKey::LocalMachine: return HKEY_LOCAL_MACHINE;
        case RootKey::Users: return HKEY_USERS;
        case RootKey::CurrentUser: break;
    }
    return HKEY_CURRENT_USER;
}

// The 64-bit/32-bit view bits of an access mask, which every nested open must carry too.
REGSAM ViewBits(REGSAM access) { return access & (KEY_WOW64_64KEY | KEY_WOW64_32KEY); }

using RegDeleteKeyExAFunction = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);

LONG DeleteOneKey(HKEY parent, const char* name, REGSAM view) {
    // Looked up at run time: systems before XP x64 lack it and have no views either.
    static auto deleteKeyEx = reinterpret_cast<RegDeleteKeyExAFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
    if (deleteKeyEx) return deleteKeyEx(parent, name, view, 0);
    return ::RegDeleteKeyA(parent, name);
}

LONG DeleteTree(HKEY parent, const std::string& name, REGSAM view) {
    {
        unique_hkey key;
        LONG result = ::RegOpenKeyExA(parent, name.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE | view,
                                      key.put());
        if (result != ERROR_SUCCESS) return result;
        std::vector<std::string> children;
        char child[256];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof child;
            if (::RegEnumKeyExA(key.get(), index, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            children.emplace_back(child, length);
        }
        for (const std::string& c : children) DeleteTree(key.get(), c, view);
    }
    return DeleteOneKey(parent, name.c_str(), view);
}

class Win32Registry : public Registry {
public:
    explicit Win32Registry(std::uint32_t access) : access_(access) {}
    ~Win32Registry() override { CloseKey(); }

    std::uint32_t Access() const override { return access_; }
    void SetRootKey(RootKey root) override {
        CloseKey();
        root_ = ToHkey(root);
    }
    bool OpenKey(const std::string& path, bool canCreate) override {
        bool relative = path.empty() || path[0] != '\\';
        std::string subKey = relative ? path : path.substr(1);
        HKEY base = (relative && current_) ? current_.get() : root_;
        unique_hkey opened;
        LONG result;
        if (canCreate)
            result = ::RegCreateKeyExA(base, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr,
                                       opened.put(), nullptr);
        else
            result = ::RegOpenKeyExA(base, subKey.c_str(), 0, access_, opened.put());
        if (result != ERROR_SUCCESS) return false;
        current_ = std::move(opened);
        return true;
    }
    void CloseKey() override { current_.reset(); }
    bool ValueExists(const std::string& name) override {
        return current_ && ::RegQueryValueExA(current_.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                               ERROR_SUCCESS;
    }
    std::string ReadString(const std::string& name) override {
        if (!current_) return {};
        DWORD type = 0, size = 0;
        if (::RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
        if (type != REG_SZ && type != REG_EXPAND_SZ) throw RegistryError("Invalid data type for '" + name + "'");
        std::vector<char> data(size + 1, '\0');
        if (::RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                               &size) != ERROR_SUCCESS)
            throw RegistryError("Failed to get data for '" + name + "'");
        std::string text(data.data(), size);
        while (!text.empty() && text.back() == '\0') text.pop_back();
        return text;
    }
    void WriteString(const std::string& name, const std::string& value) override {
        Write(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
    }
    void WriteInteger(const std::string& name, std::int32_t value) override {
        Write(name, REG_DWORD, &value, sizeof value);
    }
    bool DeleteValue(const std::string& name) override {
        return current_ && ::RegDeleteValueA(current_.get(), name.c_str()) == ERROR_SUCCESS;
    }
    bool DeleteKey(const std::string& path) override {
        bool relative = path.empty() || path[0] != '\\';
        std::string subKey = relative ? path : path.substr(1);
        HKEY base = (relative && current_) ? current_.get() : root_;
        return DeleteTree(base, subKey, ViewBits(access_)) == ERROR_SUCCESS;
    }

private:
    void Write(const std::string& name, DWORD type, const void* data, DWORD size) {
        if (!current_ ||
            ::RegSetValueExA(current_.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) !=
                ERROR_SUCCESS)
            throw RegistryError("Failed to set data for '" + name + "'");
    }

    std::uint32_t access_;
    HKEY root_ = HKEY_CURRENT_USER;
    unique_hkey current_;
};

}  // namespace

std::unique_ptr<Registry> Win32RegistryFactory::CreateRegistry(std::uint32_t access) {
    return std::make_unique<Win32Registry>(access);
}

}  // namespace platform::win32
