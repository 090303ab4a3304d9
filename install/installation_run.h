#pragma once
#include <string>

// The ';'-terminated names of the files to install; set by the completion step,
// consumed by the run.
extern std::string InstallFileList;

// Writes every listed file into TargetFolder under the progress window; true when
// the list held at least one entry.
bool RunInstallation();
