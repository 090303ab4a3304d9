#pragma once
#include "platform/files.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
public:
    bool DirectoryExists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool CreateDirectory(const std::string& path) override;
    bool ForceDirectories(const std::string& path) override;
    bool DeleteFile(const std::string& path) override;
    std::vector<FoundFile> FindFiles(const std::string& pattern, std::uint32_t attributes) override;
    bool WriteFile(const std::string& path, const void* data, std::size_t size) override;
    bool SetCurrentDirectory(const std::string& path) override;
};

}  // namespace platform::win32
