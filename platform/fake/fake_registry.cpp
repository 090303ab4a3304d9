#include "platform/fake/fake_registry.h"

#include <algorithm>

namespace platform::fake {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Trimmed(std::string path) {
    while (!path.empty() && path.front() == '\\') path.erase(path.begin());
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

class FakeRegistry : public Registry {
public:
    FakeRegistry(FakeRegistryStore& store, std::uint32_t access) : store_(store), access_(access) {}

    std::uint32_t Access() const override { return access_; }
    void SetRootKey(RootKey root) override {
        store_.Log().Add("Registry.SetRootKey(" + FakeRegistryStore::RootName(root) + ")");
        CloseOpenKey();
        root_ = root;
    }
    bool OpenKey(const std::string& path, bool canCreate) override {
        store_.Log().Add("Registry.OpenKey(" + path + "," + (canCreate ? "create" : "no-create") + ")");
        const bool relative = path.empty() || path[0] != '\\';
        std::string full = Trimmed(path);
        if (relative && !current_.empty()) full = current_ + "\\" + full;
        CloseOpenKey();
        const std::string displayed = FakeRegistryStore::RootName(root_) + "\\" + full;
        if (store_.unopenableKeys.count(displayed)) return false;
        if (!store_.KeyExists(root_, full)) {
            if (!canCreate) return false;
            store_.Ensure(root_, full);
        }
        current_ = full;
        return true;
    }
    void CloseKey() override {
        if (!current_.empty()) store_.Log().Add("Registry.CloseKey()");
        CloseOpenKey();
    }
    bool ValueExists(const std::string& name) override {
        const RegistryKeyData* key = Current();
        return key && key->Find(name);
    }
    std::string ReadString(const std::string& name) override {
        const RegistryKeyData* key = Current();
        const RegistryValue* value = key ? key->Find(name) : nullptr;
        if (!value) return {};
        if (value->type != ValueType::String) throw RegistryError("Invalid data type for '" + name + "'");
        return value->text;
    }
    void WriteString(const std::string& name, const std::string& value) override {
        store_.Log().Add("Registry.WriteString(" + name + "," + value + ")");
        RegistryKeyData& key = WritableKey(name);
        Put(key, RegistryValue{name, ValueType::String, value, 0});
    }
    void WriteInteger(const std::string& name, std::int32_t value) override {
        store_.Log().Add("Registry.WriteInteger(" + name + "," + std::to_string(value) + ")");
        RegistryKeyData& key = WritableKey(name);
        Put(key, RegistryValue{name, ValueType::Dword, {}, value});
    }
    bool DeleteValue(const std::string& name) override {
        store_.Log().Add("Registry.DeleteValue(" + name + ")");
        RegistryKeyData* key = current_.empty() ? nullptr : store_.FindKey(FakeRegistryStore::KeyId(root_, current_));
        if (!key) return false;
        auto found = std::find_if(key->values.begin(), key->values.end(),
                                  [&](const RegistryValue& v) { return Lower(v.name) == Lower(name); });
        if (found == key->values.end()) return false;
        key->values.erase(found);
        return true;
    }
    bool DeleteKey(const std::string& path) override {
        store_.Log().Add("Registry.DeleteKey(" + path + ")");
        const bool relative = path.empty() || path[0] != '\\';
        std::string full = Trimmed(path);
        if (relative && !current_.empty()) full = current_ + "\\" + full;
        return store_.DeleteTree(FakeRegistryStore::KeyId(root_, full));
    }

private:
    void CloseOpenKey() { current_.clear(); }
    const RegistryKeyData* Current() {
        return current_.empty() ? nullptr : store_.FindKey(FakeRegistryStore::KeyId(root_, current_));
    }
    RegistryKeyData& WritableKey(const std::string& name) {
        RegistryKeyData* key = current_.empty() ? nullptr : store_.FindKey(FakeRegistryStore::KeyId(root_, current_));
        if (!key || store_.failWrites) throw RegistryError("Failed to set data for '" + name + "'");
        return *key;
    }
    static void Put(RegistryKeyData& key, RegistryValue value);

    FakeRegistryStore& store_;
    std::uint32_t access_;
    RootKey root_ = RootKey::CurrentUser;
    std::string current_;
};

}  // namespace

namespace {
void Replace(RegistryKeyData& key, RegistryValue value);
}

void FakeRegistry::Put(RegistryKeyData& key, RegistryValue value) { Replace(key, std::move(value)); }

const RegistryValue* RegistryKeyData::Find(const std::string& name) const {
    for (const RegistryValue& value : values)
        if (Lower(value.name) == Lower(name)) return &value;
    return nullptr;
}

std::unique_ptr<Registry> FakeRegistryStore::CreateRegistry(std::uint32_t access) {
    createdAccessMasks.push_back(access);
    log_.Add("CreateRegistry(" + Hex(access) + ")");
    return std::make_unique<FakeRegistry>(*this, access);
}

std::string FakeRegistryStore::RootName(RootKey root) {
    switch (root) {
        case RootKey::LocalMachine: return "HKLM";
        case RootKey::Users: return "HKU";
        case RootKey::CurrentUser: break;
    }
    return "HKCU";
}

std::string FakeRegistryStore::KeyId(RootKey root, const std::string& path) {
    return RootName(root) + "\\" + Lower(Trimmed(path));
}

RegistryKeyData* FakeRegistryStore::FindKey(const std::string& id) {
    auto found = keys_.find(id);
    return found == keys_.end() ? nullptr : &found->second;
}

RegistryKeyData& FakeRegistryStore::Ensure(RootKey root, const std::string& path) {
    const std::string trimmed = Trimmed(path);
    // Parents exist whenever a child does, as in the real registry.
    for (std::size_t at = trimmed.find('\\'); at != std::string::npos; at = trimmed.find('\\', at + 1))
        keys_.emplace(KeyId(root, trimmed.substr(0, at)), RegistryKeyData{trimmed.substr(0, at), {}});
    return keys_.emplace(KeyId(root, trimmed), RegistryKeyData{trimmed, {}}).first->second;
}

bool FakeRegistryStore::DeleteTree(const std::string& id) {
    if (!keys_.count(id)) return false;
    const std::string childPrefix = id + "\\";
    for (auto it = keys_.begin(); it != keys_.end();) {
        if (it->first == id || it->first.compare(0, childPrefix.size(), childPrefix) == 0)
            it = keys_.erase(it);
        else
            ++it;
    }
    return true;
}

namespace {
void Replace(RegistryKeyData& key, RegistryValue value) {
    for (RegistryValue& existing : key.values)
        if (Lower(existing.name) == Lower(value.name)) {
            existing = std::move(value);
            return;
        }
    key.values.push_back(std::move(value));
}
}  // namespace

void FakeRegistryStore::SetString(RootKey root, const std::string& path, const std::string& name,
                                  const std::string& value) {
    Replace(Ensure(root, path), RegistryValue{name, ValueType::String, value, 0});
}

void FakeRegistryStore::SetDword(RootKey root, const std::string& path, const std::string& name, std::int32_t value) {
    Replace(Ensure(root, path), RegistryValue{name, ValueType::Dword, {}, value});
}

void FakeRegistryStore::SetBinary(RootKey root, const std::string& path, const std::string& name) {
    Replace(Ensure(root, path), RegistryValue{name, ValueType::Binary, {}, 0});
}

void FakeRegistryStore::CreateKey(RootKey root, const std::string& path) { Ensure(root, path); }

bool FakeRegistryStore::KeyExists(RootKey root, const std::string& path) const {
    return keys_.count(KeyId(root, path)) != 0;
}

const RegistryKeyData* FakeRegistryStore::Key(RootKey root, const std::string& path) const {
    auto found = keys_.find(KeyId(root, path));
    return found == keys_.end() ? nullptr : &found->second;
}

}  // namespace platform::fake
