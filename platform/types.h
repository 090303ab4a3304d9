#pragma once
#include <cstdint>

namespace platform {

// Opaque Windows handles as the logic sees them; 0 means none.
using WindowHandle = std::uintptr_t;
using KernelHandle = std::uintptr_t;

constexpr std::uint32_t ErrorAlreadyExists = 183;

// Message-box answers and window messages the logic uses.
constexpr int IdOk = 1;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
constexpr std::uint32_t WmQuit = 0x0012;
constexpr int SwHide = 0;
constexpr int SwShowNormal = 1;
constexpr int SwShow = 5;

constexpr std::uint16_t LanguageRussian = 0x0019;

}  // namespace platform
