#include "json_line.h"

#include <windows.h>

#include <cstdio>

namespace uidriver {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    return bytes;
}

std::string JsonString(const std::wstring& text) {
    std::string quoted = "\"";
    for (unsigned char c : Utf8(text)) {
        switch (c) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            case '\t': quoted += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    quoted += escaped;
                } else {
                    quoted += static_cast<char>(c);
                }
        }
    }
    return quoted + "\"";
}

std::string HexNumber(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

JsonLine& JsonLine::AddRaw(const char* key, const std::string& json) {
    if (!body_.empty()) body_ += ",";
    body_ += "\"";
    body_ += key;
    body_ += "\":";
    body_ += json;
    return *this;
}

JsonLine& JsonLine::Add(const char* key, const std::wstring& text) { return AddRaw(key, JsonString(text)); }

JsonLine& JsonLine::Add(const char* key, long long number) { return AddRaw(key, std::to_string(number)); }

JsonLine& JsonLine::Add(const char* key, bool flag) { return AddRaw(key, flag ? "true" : "false"); }

JsonLine& JsonLine::AddHex(const char* key, std::uint64_t value) {
    return AddRaw(key, "\"" + HexNumber(value) + "\"");
}

std::string JsonList(const std::vector<std::wstring>& texts) {
    std::string list = "[";
    for (size_t i = 0; i < texts.size(); ++i) list += (i ? "," : "") + JsonString(texts[i]);
    return list + "]";
}

JsonLine& JsonLine::AddList(const char* key, const std::vector<std::wstring>& texts) {
    return AddRaw(key, JsonList(texts));
}

void JsonLine::Print() const {
    std::string line = Text() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

}  // namespace uidriver
