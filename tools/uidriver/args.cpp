#include "args.h"

#include <cwchar>

#include "failure.h"

namespace uidriver {

Args::Args(const std::vector<std::wstring>& words, const std::set<std::wstring>& switches) {
    if (words.empty()) Fail(kUsage, L"no command given; try: uidriver help");
    command_ = words[0];
    for (size_t i = 1; i < words.size(); ++i) {
        const std::wstring& option = words[i];
        if (option.rfind(L"--", 0) != 0) Fail(kUsage, L"expected an --option, got: " + option);
        std::wstring name = option.substr(2);
        if (switches.count(name)) {
            flags_.insert(name);
            continue;
        }
        if (i + 1 >= words.size()) Fail(kUsage, L"option --" + name + L" needs a value");
        values_[name] = words[++i];
    }
}

bool Args::Has(const std::wstring& name) const { return values_.count(name) != 0; }

const std::wstring& Args::Text(const std::wstring& name) const {
    auto found = values_.find(name);
    if (found == values_.end()) Fail(kUsage, L"missing option --" + name);
    return found->second;
}

std::wstring Args::TextOr(const std::wstring& name, const std::wstring& fallback) const {
    return Has(name) ? Text(name) : fallback;
}

std::uint64_t Args::Number(const std::wstring& name) const {
    return ParseNumber(Text(name), L"--" + name);
}

std::uint64_t Args::NumberOr(const std::wstring& name, std::uint64_t fallback) const {
    return Has(name) ? Number(name) : fallback;
}

std::uint64_t ParseNumber(const std::wstring& text, const std::wstring& what) {
    if (text.empty()) Fail(kUsage, what + L": empty number");
    wchar_t* end = nullptr;
    std::uint64_t value = std::wcstoull(text.c_str(), &end, 0);
    if (end == nullptr || *end != L'\0') Fail(kUsage, what + L": not a number: " + text);
    return value;
}

}  // namespace uidriver
