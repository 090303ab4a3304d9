// The command line: a subcommand followed by --name value options and --flag switches.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace uidriver {

class Args {
public:
    // words[0] is the subcommand; every option after it is "--name value" unless
    // its name is one of `switches`.
    Args(const std::vector<std::wstring>& words, const std::set<std::wstring>& switches);

    const std::wstring& Command() const { return command_; }
    bool Has(const std::wstring& name) const;
    bool Flag(const std::wstring& name) const { return flags_.count(name) != 0; }
    const std::wstring& Text(const std::wstring& name) const;  // required
    std::wstring TextOr(const std::wstring& name, const std::wstring& fallback) const;
    // Decimal or 0x-prefixed hexadecimal.
    std::uint64_t Number(const std::wstring& name) const;
    std::uint64_t NumberOr(const std::wstring& name, std::uint64_t fallback) const;

private:
    std::wstring command_;
    std::map<std::wstring, std::wstring> values_;
    std::set<std::wstring> flags_;
};

std::uint64_t ParseNumber(const std::wstring& text, const std::wstring& what);

}  // namespace uidriver
