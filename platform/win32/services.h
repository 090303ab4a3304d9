#pragma once
// The Win32 implementations of every platform interface, installed for the
// lifetime of the program. Constructing it is the first thing main does.
#include <memory>

namespace platform::win32 {

class Services {
public:
    Services();
    ~Services();
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

private:
    struct Installed;
    std::unique_ptr<Installed> installed_;
};

}  // namespace platform::win32
