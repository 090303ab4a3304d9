// Test-only program: runs the installation code of setup.exe (the same logic, platform layer
// and carried resources) on a folder named on its command line, so the end-to-end tests and
// the benchmark can reach it without the wizard.
//
//   install_probe run <folder>                 RunInstallation into <folder>, then a box "finished: ..."
//   install_probe file <name> <type> <target>  InstallResourceFile alone
//   install_probe class-taken <folder>         as run, with "PlainWindow" already registered
//   install_probe bench <folder> <plain-source> RunInstallation timed, then plain copies; one JSON line
#include "platform/win32/windows_api.h"
#include <psapi.h>

#include <cstdio>
#include <memory>
#include <string>

#include "common/common_settings.h"
#include "common/path_helpers.h"
#include "install/installation_run.h"
#include "install/resource_file.h"
#include "platform/desktop.h"
#include "platform/service.h"
#include "platform/win32/handles.h"
#include "platform/win32/progress_window_win32.h"
#include "platform/win32/services.h"
#include "platform/win32/system_win32.h"
#include "setup/product_constants.h"

namespace {

double Seconds() {
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The real system calls, with the time spent in the mandated sleeps added up.
class TimedSleepSystem : public platform::win32::Win32System {
public:
    void Sleep(std::uint32_t milliseconds) override {
        const double start = Seconds();
        Win32System::Sleep(milliseconds);
        slept += Seconds() - start;
        ++sleeps;
    }
    double slept = 0;
    int sleeps = 0;
};

// The real window calls, with the moment of the first text-line change (the first file's start,
// right after SetProgressMax has waited for the window) noted.
class TimedProgressWindows : public platform::win32::Win32ProgressWindowSystem {
public:
    bool SetWindowTextA(platform::WindowHandle window, const std::string& text) override {
        if (firstText == 0 && !text.empty()) firstText = Seconds();
        return Win32ProgressWindowSystem::SetWindowTextA(window, text);
    }
    double firstText = 0;
};

bool Run(const std::string& folder) {
    CommonSettings.TargetFolder = folder;
    AppendBackslash(CommonSettings.TargetFolder);
    // The list exactly as the completion step sets it.
    InstallFileList = CommonSettings.ShortName + ".exe;uninstall.exe;" + "riched32.dll;";
    return RunInstallation();
}

void TakePlainWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PlainWindow";
    ::RegisterClassExA(&windowClass);
}

double TimeCopyFile(const std::string& source, const std::string& target) {
    const double start = Seconds();
    ::CopyFileA(source.c_str(), target.c_str(), FALSE);
    return Seconds() - start;
}

// The other plain copy: the whole file read into one buffer of its size, then written.
double TimeReadThenWrite(const std::string& source, const std::string& target) {
    const double start = Seconds();
    platform::win32::unique_file in(
        ::CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    ::GetFileSizeEx(in.get(), &size);
    const auto bytes = static_cast<DWORD>(size.QuadPart);
    std::unique_ptr<char[]> buffer(new char[bytes]);
    DWORD done = 0;
    ::ReadFile(in.get(), buffer.get(), bytes, &done, nullptr);
    platform::win32::unique_file out(
        ::CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ::WriteFile(out.get(), buffer.get(), done, &done, nullptr);
    return Seconds() - start;
}

int Bench(const std::string& folder, const std::string& plainSource) {
    TimedSleepSystem timed;
    platform::ServiceScope<platform::System> scope(timed);
    TimedProgressWindows windows;
    platform::ServiceScope<platform::ProgressWindowSystem> windowsScope(windows);
    const double start = Seconds();
    const bool installed = Run(folder);
    const double total = Seconds() - start;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    // The same bytes copied plainly, after the run so that its memory peak is already taken.
    const std::string plainTarget = folder + "\\plain_copy.bin";
    const double copy1 = TimeCopyFile(plainSource, plainTarget);
    const double copy2 = TimeCopyFile(plainSource, plainTarget);
    const double readWrite1 = TimeReadThenWrite(plainSource, plainTarget);
    const double readWrite2 = TimeReadThenWrite(plainSource, plainTarget);
    std::printf(
        "{\"installed\": %s, \"run_seconds\": %.4f, \"slept_seconds\": %.4f, \"sleeps\": %d, "
        "\"window_wait_seconds\": %.4f, "
        "\"copy_file_seconds\": [%.4f, %.4f], \"read_write_seconds\": [%.4f, %.4f], "
        "\"peak_working_set\": %llu, \"peak_pagefile_usage\": %llu}\n",
        installed ? "true" : "false", total, timed.slept, timed.sleeps, windows.firstText - start, copy1, copy2, readWrite1, readWrite2,
        static_cast<unsigned long long>(memory.PeakWorkingSetSize),
        static_cast<unsigned long long>(memory.PeakPagefileUsage));
    return installed ? 0 : 1;
}

int Usage() {
    std::fprintf(stderr, "usage: install_probe run|class-taken <folder> | file <name> <type> <target> | "
                         "bench <folder> <plain-source>\n");
    return 2;
}

int Dispatch(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if ((mode == "run" || mode == "class-taken") && argc == 3) {
        if (mode == "class-taken") TakePlainWindowClass();
        const double start = Seconds();
        const bool installed = Run(argv[2]);
        char report[64];
        std::snprintf(report, sizeof report, "finished: %s; seconds: %.3f", installed ? "true" : "false",
                      Seconds() - start);
        // A point for the driver to look at the finished window before the process ends.
        platform::Use<platform::Desktop>().MessageBoxA(0, report, "install probe", 0);
        return installed ? 0 : 1;
    }
    if (mode == "file" && argc == 5) {
        InstallResourceFile(argv[2], argv[3], argv[4]);
        return 0;
    }
    if (mode == "bench" && argc == 4) return Bench(argv[2], argv[3]);
    return Usage();
}

}  // namespace

int main(int argc, char** argv) {
    platform::win32::Services services;
    CommonInitialization();
    CommonSettings.SetIdentity(MorvalenIdentity());
    const int status = Dispatch(argc, argv);
    CommonFinalization();
    return status;
}
