#pragma once
// ANSI 1251 to OEM 866 for the Cyrillic letters; every other byte is kept.
#include "platform/fake/call_log.h"
#include "platform/oem_text.h"

namespace platform::fake {

class FakeOemText : public OemText {
public:
    explicit FakeOemText(CallLog& log) : log_(log) {}
    std::string CharToOem(const std::string& ansiText) override;

private:
    CallLog& log_;
};

}  // namespace platform::fake
