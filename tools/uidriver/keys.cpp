#include "keys.h"

#include <cwctype>
#include <map>

#include "failure.h"

namespace uidriver {
namespace {

const std::map<std::wstring, WORD>& NamedKeys() {
    static const std::map<std::wstring, WORD> keys = {
        {L"enter", VK_RETURN},  {L"return", VK_RETURN}, {L"esc", VK_ESCAPE},     {L"escape", VK_ESCAPE},
        {L"tab", VK_TAB},       {L"space", VK_SPACE},   {L"backspace", VK_BACK}, {L"delete", VK_DELETE},
        {L"insert", VK_INSERT}, {L"home", VK_HOME},     {L"end", VK_END},        {L"pageup", VK_PRIOR},
        {L"pagedown", VK_NEXT}, {L"up", VK_UP},         {L"down", VK_DOWN},      {L"left", VK_LEFT},
        {L"right", VK_RIGHT},   {L"shift", VK_SHIFT},   {L"ctrl", VK_CONTROL},   {L"alt", VK_MENU},
    };
    return keys;
}

std::wstring Lower(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

WORD KeyFromName(const std::wstring& name) {
    std::wstring lower = Lower(name);
    auto named = NamedKeys().find(lower);
    if (named != NamedKeys().end()) return named->second;
    if (lower.size() >= 2 && lower[0] == L'f') {
        int number = _wtoi(lower.c_str() + 1);
        if (number >= 1 && number <= 24) return static_cast<WORD>(VK_F1 + number - 1);
    }
    if (lower.size() == 1 && std::iswalnum(lower[0])) return static_cast<WORD>(std::towupper(lower[0]));
    Fail(kUsage, L"unknown key name: " + name);
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::wstring::npos) return parts;
        start = end + 1;
    }
}

KeyStroke ParseStroke(const std::wstring& text) {
    std::vector<std::wstring> names = Split(text, L'+');
    KeyStroke stroke;
    for (size_t i = 0; i + 1 < names.size(); ++i) stroke.modifiers.push_back(KeyFromName(names[i]));
    stroke.key = KeyFromName(names.back());
    return stroke;
}

}  // namespace

std::vector<KeyStroke> ParseKeyList(const std::wstring& list) {
    std::vector<KeyStroke> strokes;
    for (const auto& item : Split(list, L',')) {
        if (item.empty()) Fail(kUsage, L"empty key name in: " + list);
        strokes.push_back(ParseStroke(item));
    }
    return strokes;
}

}  // namespace uidriver
