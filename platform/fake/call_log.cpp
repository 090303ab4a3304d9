#include "platform/fake/call_log.h"

#include <cstdio>

namespace platform::fake {

std::vector<std::string> CallLog::Starting(const std::string& prefix) const {
    std::vector<std::string> matching;
    for (const std::string& call : calls_)
        if (call.compare(0, prefix.size(), prefix) == 0) matching.push_back(call);
    return matching;
}

std::string Hex(unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX", value);
    return text;
}

}  // namespace platform::fake
