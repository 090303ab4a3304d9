#pragma once
#include <cstdint>
#include <string>

// Whole KB of all files under the folder, counted breadth-first in an unsigned 32-bit
// total that wraps; -1 when the path is empty or the folder does not exist.
std::int32_t FolderSizeKB(const std::string& folder);
