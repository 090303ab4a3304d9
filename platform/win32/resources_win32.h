#pragma once
#include "platform/resources.h"

namespace platform::win32 {

// The resources of the program's own module, found by FindResourceA (which ignores letter case).
class Win32Resources : public Resources {
public:
    std::unique_ptr<ResourceImage> Load(const std::string& name, const std::string& type) override;
};

}  // namespace platform::win32
