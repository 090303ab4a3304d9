// Key names ("enter", "shift+tab", "alt+f4", "a") to virtual-key strokes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

struct KeyStroke {
    std::vector<WORD> modifiers;  // pressed before the key, released after it
    WORD key = 0;
};

// A comma-separated list of strokes; fails with kUsage on an unknown name.
std::vector<KeyStroke> ParseKeyList(const std::wstring& list);

}  // namespace uidriver
