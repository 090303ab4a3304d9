#pragma once
// Files, folders and the process's current directory.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

constexpr std::uint32_t FileAttributeDirectory = 0x10;

struct FoundFile {
    std::string name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    bool IsDirectory() const { return (attributes & FileAttributeDirectory) != 0; }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool DirectoryExists(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool CreateDirectory(const std::string& path) = 0;    // one level
    virtual bool ForceDirectories(const std::string& path) = 0;   // with all missing parents
    virtual bool DeleteFile(const std::string& path) = 0;
    // The entries a search of `pattern` returns with that attribute set, in the file system's order.
    virtual std::vector<FoundFile> FindFiles(const std::string& pattern, std::uint32_t attributes) = 0;
    // Creates or replaces the file, cut to exactly these bytes.
    virtual bool WriteFile(const std::string& path, const void* data, std::size_t size) = 0;
    virtual bool SetCurrentDirectory(const std::string& path) = 0;
};

}  // namespace platform
