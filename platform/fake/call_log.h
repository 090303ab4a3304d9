#pragma once
// Every fake records the calls made on it, with their arguments, in one shared
// log, so a test can check the exact calls and their order across services.
#include <string>
#include <vector>

namespace platform::fake {

class CallLog {
public:
    void Add(std::string call) { calls_.push_back(std::move(call)); }
    const std::vector<std::string>& Calls() const { return calls_; }
    // The calls whose text starts with `prefix`, in order.
    std::vector<std::string> Starting(const std::string& prefix) const;
    void Clear() { calls_.clear(); }

private:
    std::vector<std::string> calls_;
};

std::string Hex(unsigned long long value);

}  // namespace platform::fake
