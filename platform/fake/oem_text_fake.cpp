#include "platform/fake/oem_text_fake.h"

namespace platform::fake {
namespace {

unsigned char Cp1251ToCp866(unsigned char c) {
    if (c >= 0xC0 && c <= 0xEF) return static_cast<unsigned char>(c - 0x40);  // А..Я, а..п
    if (c >= 0xF0) return static_cast<unsigned char>(c - 0x10);                // р..я
    if (c == 0xA8) return 0xF0;                                                // Ё
    if (c == 0xB8) return 0xF1;                                                // ё
    return c;
}

}  // namespace

std::string FakeOemText::CharToOem(const std::string& ansiText) {
    log_.Add("CharToOemA(" + ansiText + ")");
    std::string oem = ansiText;
    for (char& c : oem) c = static_cast<char>(Cp1251ToCp866(static_cast<unsigned char>(c)));
    return oem;
}

}  // namespace platform::fake
