#pragma once
#include <string>

// Writes the program's resource `name` of type `type` (letter case ignored) to `target`, byte for
// byte, replacing what is there; reports its own failure. Callers judge by the file's presence.
void InstallResourceFile(const std::string& name, const std::string& type, const std::string& target);
