#pragma once
// The program's resources as a table in memory; names and types match in any letter case.
#include <map>
#include <utility>

#include "platform/fake/call_log.h"
#include "platform/resources.h"

namespace platform::fake {

class FakeResources : public Resources {
public:
    explicit FakeResources(CallLog& log) : log_(log) {}
    std::unique_ptr<ResourceImage> Load(const std::string& name, const std::string& type) override;

    void Add(const std::string& name, const std::string& type, std::string bytes);
    int LoadedNow() const { return loadedNow_; }  // images not yet freed

private:
    class Image;
    std::map<std::pair<std::string, std::string>, std::string> images_;  // by upper-case name and type
    CallLog& log_;
    int loadedNow_ = 0;
};

}  // namespace platform::fake
