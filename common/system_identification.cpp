#include "common/system_identification.h"

#include "platform/service.h"
#include "platform/system.h"

bool Is64BitWindows = false;

void Detect64BitWindows() {
    platform::System& system = platform::Use<platform::System>();
    bool extended = true;
    auto version = system.GetVersionEx(true);
    if (!version) {
        extended = false;
        version = system.GetVersionEx(false);
        if (!version) return;
    }
    auto native = system.NativeProcessorArchitecture();
    const std::uint16_t architecture = native ? *native : system.ProcessorArchitecture();
    // Without a compatibility section in the manifest, later 64-bit Windows report 6.2.
    Is64BitWindows = extended && version->platformId == platform::PlatformWin32Nt && version->majorVersion == 6 &&
                     architecture == platform::ProcessorAmd64;
}

bool IsNtPlatform() {
    auto version = platform::Use<platform::System>().GetVersionEx(false);
    return version && version->platformId == platform::PlatformWin32Nt;
}
