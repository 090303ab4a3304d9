#pragma once

// The removal steps of the uninstall, in the order they run. Each item that is
// missing, or whose deletion is refused, is passed over silently.
void RemoveRegistryEntries();   // the uninstall entry, the autostart values, the maker's subkeys
void DeleteShortcutFiles();     // desktop shortcuts under both names, the Startup shortcut
void RemoveMenuFolders();       // the per-user and all-users menu folders under both names
