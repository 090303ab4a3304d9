#pragma once
// Conversion of text from the ANSI code page to the OEM code page, the one in
// which the command interpreter reads a batch file.
#include <string>

namespace platform {

class OemText {
public:
    virtual ~OemText() = default;
    // CharToOemA: the same number of characters, each converted.
    virtual std::string CharToOem(const std::string& ansiText) = 0;
};

}  // namespace platform
