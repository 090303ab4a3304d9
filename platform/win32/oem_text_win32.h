#pragma once
#include "platform/oem_text.h"

namespace platform::win32 {

class Win32OemText : public OemText {
public:
    std::string CharToOem(const std::string& ansiText) override;
};

}  // namespace platform::win32
