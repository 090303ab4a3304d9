// One JSON object per output line, UTF-8, built field by field.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace uidriver {

std::string Utf8(const std::wstring& text);
std::string JsonString(const std::wstring& text);
std::string JsonList(const std::vector<std::wstring>& texts);
std::string HexNumber(std::uint64_t value);

class JsonLine {
public:
    JsonLine& Add(const char* key, const std::wstring& text);
    JsonLine& Add(const char* key, const wchar_t* text) { return Add(key, std::wstring(text)); }
    JsonLine& Add(const char* key, long long number);
    JsonLine& Add(const char* key, unsigned long number) { return Add(key, static_cast<long long>(number)); }
    JsonLine& Add(const char* key, int number) { return Add(key, static_cast<long long>(number)); }
    JsonLine& Add(const char* key, bool flag);
    JsonLine& AddHex(const char* key, std::uint64_t value);  // "0x1A2B"
    JsonLine& AddRaw(const char* key, const std::string& json);
    JsonLine& AddList(const char* key, const std::vector<std::wstring>& texts);
    std::string Text() const { return "{" + body_ + "}"; }
    void Print() const;  // writes the line to stdout and flushes

private:
    std::string body_;
};

}  // namespace uidriver
