#include "common/common_settings.h"

#include <algorithm>
#include <array>

#include "common/system_identification.h"
#include "platform/service.h"
#include "platform/system.h"

CommonSettingsBlock CommonSettings;

bool IsRussianReadingLocale(std::uint32_t lcid) {
    // Bulgarian, Russian, Ukrainian, Belarusian, Kazakh, Tatar, Russian (Moldova).
    static constexpr std::array<std::uint32_t, 7> locales{0x0402, 0x0419, 0x0422, 0x0423, 0x043F, 0x0444, 0x0819};
    return std::find(locales.begin(), locales.end(), lcid) != locales.end();
}

void CommonInitialization() {
    CommonSettings.InterfaceIsRussian = IsRussianReadingLocale(platform::Use<platform::System>().GetUserDefaultLCID());
    Detect64BitWindows();
    const std::uint32_t access =
        Is64BitWindows ? (platform::KeyAllAccess | platform::KeyWow64_64Key) : platform::KeyAllAccess;
    CommonSettings.SetupRegistry = platform::Use<platform::RegistryFactory>().CreateRegistry(access);
}

void CommonFinalization() {
    CommonSettings = CommonSettingsBlock{};
}
