#pragma once
#include <string>

// Fills the install context of CommonSettings; false after the per-user registry
// failure, which it has shown. A machine-wide read failure escapes as RegistryError.
bool BuildInstallContext();

// "Software\Microsoft\..." becomes "Software\WOW6432Node\Microsoft\...".
std::string Wow64ViewPath(const std::string& path);
