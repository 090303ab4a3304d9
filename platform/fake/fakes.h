#pragma once
// In-memory fakes of the platform interfaces for the unit tests.
#include <deque>
#include <functional>
#include <map>
#include <set>

#include "platform/desktop.h"
#include "platform/fake/call_log.h"
#include "platform/fake/fake_registry.h"
#include "platform/files.h"
#include "platform/service.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace platform::fake {

class FakeSystem : public System {
public:
    explicit FakeSystem(CallLog& log) : log_(log) {}
    std::uint32_t GetUserDefaultLCID() override { return lcid; }
    std::optional<VersionInfo> GetVersionEx(bool extendedRecord) override {
        return extendedRecord ? extendedVersion : basicVersion;
    }
    std::optional<std::uint16_t> NativeProcessorArchitecture() override { return nativeArchitecture; }
    std::uint16_t ProcessorArchitecture() override { return architecture; }
    bool IsUserAnAdmin() override { return isAdmin; }
    std::optional<std::string> GetEnvironmentVariable(const std::string& name) override;
    void Sleep(std::uint32_t milliseconds) override;
    LocalDate Today() override { return today; }
    KernelHandle CreateFileMapping(const std::string& name, std::uint32_t size, std::uint32_t& lastError) override;
    void CloseHandle(KernelHandle handle) override;

    std::uint32_t lcid = 0x0419;
    std::optional<VersionInfo> extendedVersion = VersionInfo{2, 6, 1};
    std::optional<VersionInfo> basicVersion = VersionInfo{2, 6, 1};
    std::optional<std::uint16_t> nativeArchitecture = ProcessorAmd64;
    std::uint16_t architecture = ProcessorX86;
    bool isAdmin = true;
    std::map<std::string, std::string> environment;
    LocalDate today{2026, 12, 11};
    std::set<std::string> heldMappings;  // names that a running program holds
    std::vector<std::uint32_t> sleeps;
    // Called after every Sleep, so a test can change the world while the program waits.
    std::function<void(std::size_t sleepCount)> onSleep;

private:
    CallLog& log_;
    KernelHandle nextHandle_ = 0x100;
    std::map<KernelHandle, std::string> createdMappings_;
};

class FakeDesktop : public Desktop {
public:
    explicit FakeDesktop(CallLog& log) : log_(log) {}
    int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                    std::uint32_t flags) override;
    int MessageBoxExA(WindowHandle owner, const std::string& text, const std::string& caption, std::uint32_t flags,
                      std::uint16_t language) override;
    WindowHandle FindWindowA(const std::string& className) override;
    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                      std::intptr_t lParam) override;
    bool ShowWindow(WindowHandle window, int command) override;
    bool SetForegroundWindow(WindowHandle window) override;

    struct Box {
        std::string function;  // "MessageBoxA" or "MessageBoxExA"
        WindowHandle owner = 0;
        std::string text;
        std::string caption;
        std::uint32_t flags = 0;
        std::uint16_t language = 0;
    };
    std::vector<Box> boxes;
    std::deque<int> answers;  // the next boxes' answers; IDOK when empty
    std::map<std::string, WindowHandle> windows;  // top-level windows by class
    // Called before every box returns, e.g. to look at the world while it is open.
    std::function<void(const Box&)> onBox;

private:
    int Answer(Box box);
    CallLog& log_;
};

class FakeFileSystem : public FileSystem {
public:
    explicit FakeFileSystem(CallLog& log) : log_(log) {}
    bool DirectoryExists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool CreateDirectory(const std::string& path) override;
    bool ForceDirectories(const std::string& path) override;
    bool DeleteFile(const std::string& path) override;
    std::vector<FoundFile> FindFiles(const std::string& pattern, std::uint32_t attributes) override;
    bool WriteFile(const std::string& path, const void* data, std::size_t size) override;
    bool SetCurrentDirectory(const std::string& path) override;

    // Test set-up and inspection; paths as Windows writes them, letter case ignored.
    void AddDirectory(const std::string& path);
    void AddFile(const std::string& path, const std::string& content, std::uint32_t attributes = 0x20);
    const std::string* FileContent(const std::string& path) const;
    void RemoveTree(const std::string& path);
    std::set<std::string> unwritablePaths;  // WriteFile fails for these (as written, letter case ignored)
    // FindFiles reports this size for the file instead of its content's length (e.g. files over 4 GB).
    void SetReportedSize(const std::string& path, std::uint64_t size) { reportedSizes_[Normal(path)] = size; }
    std::string currentDirectory;

    static std::string Normal(const std::string& path);

private:
    struct File {
        std::string path;
        std::string content;
        std::uint32_t attributes;
    };
    std::map<std::string, std::string> directories_;  // normal path -> as written
    std::map<std::string, File> files_;
    std::map<std::string, std::uint64_t> reportedSizes_;
    CallLog& log_;
};

class FakeShell : public Shell {
public:
    FakeShell(CallLog& log, FakeFileSystem& files) : log_(log), files_(files) {}
    int DeleteWithShell(const std::string& path, std::uint16_t flags) override;
    std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb, const std::string& file,
                                const std::string& parameters, const std::string& directory, int showCommand) override;
    bool SaveShellLink(const ShellLink& link, const std::string& file) override;

    std::map<std::string, ShellLink> links;  // saved shortcuts by file path as given
    bool failLinkSaves = false;
    std::function<void(const std::string& file)> onExecute;

private:
    CallLog& log_;
    FakeFileSystem& files_;
};

// All fakes, installed as the platform for the lifetime of a test.
struct FakePlatform {
    CallLog log;
    FakeSystem system{log};
    FakeDesktop desktop{log};
    FakeFileSystem files{log};
    FakeShell shell{log, files};
    FakeRegistryStore registry{log};
    ServiceScope<System> systemScope{system};
    ServiceScope<Desktop> desktopScope{desktop};
    ServiceScope<FileSystem> filesScope{files};
    ServiceScope<Shell> shellScope{shell};
    ServiceScope<RegistryFactory> registryScope{registry};
};

}  // namespace platform::fake
