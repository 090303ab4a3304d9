#pragma once
// One process-wide implementation per platform interface: the Win32 program
// installs the real ones at start, a unit test installs fakes.
#include <cstdlib>

namespace platform {

template <class Interface>
Interface*& ServiceSlot() {
    static Interface* current = nullptr;
    return current;
}

// The installed implementation; a missing one is a wiring error, not a user error.
template <class Interface>
Interface& Use() {
    Interface* current = ServiceSlot<Interface>();
    if (current == nullptr) std::abort();
    return *current;
}

// Installs an implementation for its lifetime and restores the previous one.
template <class Interface>
class ServiceScope {
public:
    explicit ServiceScope(Interface& implementation) : previous_(ServiceSlot<Interface>()) {
        ServiceSlot<Interface>() = &implementation;
    }
    ~ServiceScope() { ServiceSlot<Interface>() = previous_; }
    ServiceScope(const ServiceScope&) = delete;
    ServiceScope& operator=(const ServiceScope&) = delete;

private:
    Interface* previous_;
};

}  // namespace platform
