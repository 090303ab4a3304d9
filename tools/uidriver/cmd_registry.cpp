// reg-read, reg-values, reg-keys, reg-dump, reg-write, reg-create-key, reg-delete-key, reg-delete-value
#include <set>
#include <string>
#include <vector>

#include "commands.h"
#include "failure.h"
#include "json_line.h"
#include "platform/win32/handles.h"

namespace uidriver {
namespace {

using platform::win32::unique_hkey;

struct KeyPath {
    HKEY root;
    std::wstring path;
    REGSAM view;  // KEY_WOW64_64KEY, KEY_WOW64_32KEY or 0
};

HKEY RootFromName(const std::wstring& name) {
    if (name == L"HKLM" || name == L"HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
    if (name == L"HKCU" || name == L"HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
    if (name == L"HKU" || name == L"HKEY_USERS") return HKEY_USERS;
    if (name == L"HKCR" || name == L"HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
    Fail(kUsage, L"--root is HKLM, HKCU, HKU or HKCR, not " + name);
}

REGSAM ViewFromName(const std::wstring& name) {
    if (name == L"64") return KEY_WOW64_64KEY;
    if (name == L"32") return KEY_WOW64_32KEY;
    if (name == L"default") return 0;
    Fail(kUsage, L"--view is 64, 32 or default, not " + name);
}

KeyPath KeyFromArgs(const Args& args) {
    return {RootFromName(args.Text(L"root")), args.TextOr(L"key", L""), ViewFromName(args.TextOr(L"view", L"64"))};
}

unique_hkey OpenKey(const KeyPath& key, REGSAM access) {
    unique_hkey handle;
    LONG status = RegOpenKeyExW(key.root, key.path.c_str(), 0, access | key.view, handle.put());
    if (status == ERROR_FILE_NOT_FOUND) Fail(kNotFound, L"no such key: " + key.path);
    if (status != ERROR_SUCCESS) FailApi(L"RegOpenKeyExW " + key.path, static_cast<unsigned long>(status));
    return handle;
}

unique_hkey CreateKey(const KeyPath& key) {
    unique_hkey handle;
    LONG status = RegCreateKeyExW(key.root, key.path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE | key.view,
                                  nullptr, handle.put(), nullptr);
    if (status != ERROR_SUCCESS) FailApi(L"RegCreateKeyExW " + key.path, static_cast<unsigned long>(status));
    return handle;
}

const wchar_t* TypeName(DWORD type) {
    switch (type) {
        case REG_SZ: return L"REG_SZ";
        case REG_EXPAND_SZ: return L"REG_EXPAND_SZ";
        case REG_MULTI_SZ: return L"REG_MULTI_SZ";
        case REG_DWORD: return L"REG_DWORD";
        case REG_QWORD: return L"REG_QWORD";
        case REG_BINARY: return L"REG_BINARY";
        case REG_NONE: return L"REG_NONE";
        default: return L"REG_OTHER";
    }
}

// Text up to the first NUL (data need not be terminated).
std::wstring TextData(const std::vector<BYTE>& data) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

std::string MultiTextJson(const std::vector<BYTE>& data) {
    std::wstring all(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    std::vector<std::wstring> items;
    for (size_t start = 0; start < all.size();) {
        size_t end = all.find(L'\0', start);
        if (end == std::wstring::npos) end = all.size();
        if (end == start) break;
        items.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return JsonList(items);
}

std::string HexBytes(const std::vector<BYTE>& data) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (BYTE b : data) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return "\"" + hex + "\"";
}

std::string DataJson(DWORD type, const std::vector<BYTE>& data) {
    auto number = [&](size_t size) {
        unsigned long long value = 0;
        for (size_t i = 0; i < size && i < data.size(); ++i) value |= static_cast<unsigned long long>(data[i]) << (8 * i);
        return std::to_string(value);
    };
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: return JsonString(TextData(data));
        case REG_MULTI_SZ: return MultiTextJson(data);
        case REG_DWORD: return data.size() == 4 ? number(4) : HexBytes(data);
        case REG_QWORD: return data.size() == 8 ? number(8) : HexBytes(data);
        default: return HexBytes(data);
    }
}

JsonLine ValueLine(const std::wstring& name, DWORD type, const std::vector<BYTE>& data) {
    JsonLine line;
    line.Add("name", name).Add("type", TypeName(type)).Add("type_code", type).AddRaw("data", DataJson(type, data));
    return line;
}

// Stops at the first error and leaves it in `status`.
std::vector<std::wstring> SubkeyNames(HKEY key, LONG* status) {
    std::vector<std::wstring> names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        *status = RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (*status == ERROR_NO_MORE_ITEMS) {
            *status = ERROR_SUCCESS;
            return names;
        }
        if (*status != ERROR_SUCCESS) return names;
        names.emplace_back(name, length);
    }
}

void Require(LONG status, const wchar_t* call) {
    if (status != ERROR_SUCCESS) FailApi(call, static_cast<unsigned long>(status));
}

// Returns the first error, or ERROR_SUCCESS once every value was visited.
template <class Visit>
LONG ForEachValue(HKEY key, Visit visit) {
    DWORD maxName = 0, maxData = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData, nullptr,
                     nullptr);
    for (DWORD index = 0;; ++index) {
        std::wstring name(maxName + 1, L'\0');
        std::vector<BYTE> data(maxData + 2);
        DWORD nameLength = maxName + 1, dataSize = maxData + 2, type = 0;
        LONG status = RegEnumValueW(key, index, &name[0], &nameLength, nullptr, &type, data.data(), &dataSize);
        if (status == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (status != ERROR_SUCCESS) return status;
        name.resize(nameLength);
        data.resize(dataSize);
        visit(name, type, data);
    }
}

using PathSet = std::set<std::wstring>;

// Relative paths separated by ';', compared without regard to letter case.
PathSet SkippedPaths(const std::wstring& list) {
    PathSet paths;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(L';', start);
        if (end == std::wstring::npos) end = list.size();
        std::wstring path = list.substr(start, end - start);
        CharLowerW(&path[0]);
        if (!path.empty()) paths.insert(path.c_str());
        start = end + 1;
    }
    return paths;
}

bool IsSkipped(const PathSet& skipped, std::wstring relative) {
    if (relative.empty()) return false;
    CharLowerW(&relative[0]);
    return skipped.count(relative.c_str()) != 0;
}

// Keys that cannot be opened (Wine's performance-data links) are listed with their error.
void DumpKey(const KeyPath& key, const std::wstring& relative, const PathSet& skipped) {
    unique_hkey handle;
    LONG status = RegOpenKeyExW(key.root, key.path.c_str(), 0, KEY_READ | key.view, handle.put());
    if (status != ERROR_SUCCESS) {
        JsonLine().Add("key", relative).Add("error", static_cast<long long>(status)).Print();
        return;
    }
    JsonLine().Add("key", relative).Print();
    LONG valuesStatus = ForEachValue(handle.get(), [&](const std::wstring& name, DWORD type, const std::vector<BYTE>& data) {
        ValueLine(name, type, data).Add("key", relative).Print();
    });
    LONG keysStatus = ERROR_SUCCESS;
    std::vector<std::wstring> subkeys = SubkeyNames(handle.get(), &keysStatus);
    LONG failed = valuesStatus != ERROR_SUCCESS ? valuesStatus : keysStatus;
    if (failed != ERROR_SUCCESS) JsonLine().Add("key", relative).Add("error", static_cast<long long>(failed)).Print();
    for (const auto& sub : subkeys) {
        std::wstring childRelative = relative.empty() ? sub : relative + L"\\" + sub;
        if (IsSkipped(skipped, childRelative)) continue;
        KeyPath child = key;
        child.path = key.path.empty() ? sub : key.path + L"\\" + sub;
        DumpKey(child, childRelative, skipped);
    }
}

std::vector<BYTE> WriteData(const std::wstring& type, const std::wstring& text, DWORD* typeCode) {
    if (type == L"REG_DWORD") {
        *typeCode = REG_DWORD;
        DWORD value = static_cast<DWORD>(ParseNumber(text, L"--data"));
        const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
        return std::vector<BYTE>(bytes, bytes + sizeof value);
    }
    if (type != L"REG_SZ" && type != L"REG_EXPAND_SZ") Fail(kUsage, L"--type is REG_SZ, REG_EXPAND_SZ or REG_DWORD");
    *typeCode = type == L"REG_SZ" ? REG_SZ : REG_EXPAND_SZ;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

// Splits "a\b\c" into "a\b" and "c".
std::pair<std::wstring, std::wstring> ParentAndName(const std::wstring& path) {
    size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {L"", path};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace

void RegRead(const Args& args) {
    KeyPath key = KeyFromArgs(args);
    unique_hkey handle = OpenKey(key, KEY_QUERY_VALUE);
    std::wstring name = args.TextOr(L"value", L"");
    DWORD type = 0, size = 0;
    LONG status = RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) Fail(kNotFound, L"no value \"" + name + L"\" in " + key.path);
    if (status != ERROR_SUCCESS) FailApi(L"RegQueryValueExW", static_cast<unsigned long>(status));
    std::vector<BYTE> data(size);
    status = RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, data.data(), &size);
    if (status != ERROR_SUCCESS) FailApi(L"RegQueryValueExW", static_cast<unsigned long>(status));
    data.resize(size);
    ValueLine(name, type, data).Print();
}

void RegValues(const Args& args) {
    unique_hkey handle = OpenKey(KeyFromArgs(args), KEY_QUERY_VALUE);
    Require(ForEachValue(handle.get(), [](const std::wstring& name, DWORD type, const std::vector<BYTE>& data) {
        ValueLine(name, type, data).Print();
    }), L"RegEnumValueW");
}

void RegKeys(const Args& args) {
    unique_hkey handle = OpenKey(KeyFromArgs(args), KEY_ENUMERATE_SUB_KEYS);
    LONG status = ERROR_SUCCESS;
    std::vector<std::wstring> names = SubkeyNames(handle.get(), &status);
    Require(status, L"RegEnumKeyExW");
    for (const auto& name : names) JsonLine().Add("name", name).Print();
}

void RegDump(const Args& args) { DumpKey(KeyFromArgs(args), L"", SkippedPaths(args.TextOr(L"skip", L""))); }

void RegWrite(const Args& args) {
    KeyPath key = KeyFromArgs(args);
    std::wstring name = args.TextOr(L"value", L"");
    DWORD type = 0;
    std::vector<BYTE> data = WriteData(args.TextOr(L"type", L"REG_SZ"), args.Text(L"data"), &type);
    unique_hkey handle = CreateKey(key);
    LONG status = RegSetValueExW(handle.get(), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
    if (status != ERROR_SUCCESS) FailApi(L"RegSetValueExW", static_cast<unsigned long>(status));
    ValueLine(name, type, data).Print();
}

void RegCreateKey(const Args& args) {
    KeyPath key = KeyFromArgs(args);
    CreateKey(key);
    JsonLine().Add("key", key.path).Add("created", true).Print();
}

void RegDeleteKey(const Args& args) {
    KeyPath key = KeyFromArgs(args);
    if (key.path.empty()) Fail(kUsage, L"refusing to delete a root key");
    {
        unique_hkey handle = OpenKey(key, KEY_ALL_ACCESS);
        LONG status = RegDeleteTreeW(handle.get(), nullptr);
        if (status != ERROR_SUCCESS) FailApi(L"RegDeleteTreeW", static_cast<unsigned long>(status));
    }
    auto [parentPath, name] = ParentAndName(key.path);
    KeyPath parentKey{key.root, parentPath, key.view};
    unique_hkey parent = OpenKey(parentKey, KEY_ALL_ACCESS);
    LONG status = RegDeleteKeyExW(parent.get(), name.c_str(), key.view, 0);
    if (status != ERROR_SUCCESS) FailApi(L"RegDeleteKeyExW", static_cast<unsigned long>(status));
    JsonLine().Add("key", key.path).Add("deleted", true).Print();
}

void RegDeleteValue(const Args& args) {
    KeyPath key = KeyFromArgs(args);
    unique_hkey handle = OpenKey(key, KEY_SET_VALUE);
    std::wstring name = args.TextOr(L"value", L"");
    LONG status = RegDeleteValueW(handle.get(), name.c_str());
    if (status == ERROR_FILE_NOT_FOUND) Fail(kNotFound, L"no value \"" + name + L"\" in " + key.path);
    if (status != ERROR_SUCCESS) FailApi(L"RegDeleteValueW", static_cast<unsigned long>(status));
    JsonLine().Add("name", name).Add("deleted", true).Print();
}

}  // namespace uidriver
