#pragma once
// An in-memory registry: keys by root and path (letter case ignored), values in
// the order they were first written, each with its type.
#include <map>
#include <set>
#include <vector>

#include "platform/fake/call_log.h"
#include "platform/registry.h"

namespace platform::fake {

enum class ValueType { String, Dword, Binary };

struct RegistryValue {
    std::string name;
    ValueType type = ValueType::String;
    std::string text;
    std::int32_t number = 0;
};

struct RegistryKeyData {
    std::string path;  // as first created
    std::vector<RegistryValue> values;
    const RegistryValue* Find(const std::string& name) const;
};

class FakeRegistryStore : public RegistryFactory {
public:
    explicit FakeRegistryStore(CallLog& log) : log_(log) {}
    std::unique_ptr<Registry> CreateRegistry(std::uint32_t access) override;

    // Test set-up and inspection; `path` has no leading backslash.
    void SetString(RootKey root, const std::string& path, const std::string& name, const std::string& value);
    void SetDword(RootKey root, const std::string& path, const std::string& name, std::int32_t value);
    void SetBinary(RootKey root, const std::string& path, const std::string& name);
    void CreateKey(RootKey root, const std::string& path);
    bool KeyExists(RootKey root, const std::string& path) const;
    const RegistryKeyData* Key(RootKey root, const std::string& path) const;

    // Failure injection: keys that cannot be opened, writes that fail.
    std::set<std::string> unopenableKeys;  // "HKLM\\path", letter case as written
    bool failWrites = false;

    std::vector<std::uint32_t> createdAccessMasks;

    // Used by the registry objects.
    static std::string KeyId(RootKey root, const std::string& path);
    static std::string RootName(RootKey root);
    RegistryKeyData* FindKey(const std::string& id);
    RegistryKeyData& Ensure(RootKey root, const std::string& path);
    bool DeleteTree(const std::string& id);
    CallLog& Log() { return log_; }

private:
    CallLog& log_;
    std::map<std::string, RegistryKeyData> keys_;
};

}  // namespace platform::fake
