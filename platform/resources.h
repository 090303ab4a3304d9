#pragma once
// The byte blocks the program carries inside itself (its own module's resources).
#include <cstddef>
#include <memory>
#include <string>

namespace platform {

// One loaded resource; its bytes stay valid while it lives, and it frees the resource when it goes.
class ResourceImage {
public:
    virtual ~ResourceImage() = default;
    virtual const void* Bytes() const = 0;
    virtual std::size_t Size() const = 0;
};

class Resources {
public:
    virtual ~Resources() = default;
    // The resource of that name and type, letter case ignored in both; empty when there is none.
    virtual std::unique_ptr<ResourceImage> Load(const std::string& name, const std::string& type) = 0;
};

}  // namespace platform
