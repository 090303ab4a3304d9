// uidriver serve: many commands in one process, so that a test pays Wine's start-up once.
// Each stdin line is one command line, its words separated by tabs (UTF-8; "\t", "\n" and
// "\\" escaped with a backslash). The command's own lines follow on stdout, then one line
// {"uidriver_exit":CODE,"error":"..."} that ends its answer. Ends at end of input.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace uidriver {

using CommandRunner = std::function<int(const std::vector<std::wstring>& words)>;

std::vector<std::wstring> SplitCommandLine(const std::string& utf8Line);
int Serve(const CommandRunner& run);

}  // namespace uidriver
