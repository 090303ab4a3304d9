#include "platform/win32/windows_api.h"
#include "platform/win32/files_win32.h"

#include "platform/win32/handles.h"

namespace platform::win32 {

bool Win32FileSystem::DirectoryExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FileExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::CreateDirectory(const std::string& path) { return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE; }

bool Win32FileSystem::ForceDirectories(const std::string& path) {
    std::string folder = path;
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    if (folder.empty()) return false;
    if (DirectoryExists(folder)) return true;
    const std::size_t parentEnd = folder.find_last_of("\\/");
    if (parentEnd != std::string::npos) {
        const std::string parent = folder.substr(0, parentEnd);
        // A drive root ("C:") is not made: it exists or the path cannot be created.
        if (!(parent.size() == 2 && parent[1] == ':') && !parent.empty() && !ForceDirectories(parent)) return false;
    }
    return ::CreateDirectoryA(folder.c_str(), nullptr) != FALSE || DirectoryExists(folder);
}

bool Win32FileSystem::DeleteFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

std::vector<FoundFile> Win32FileSystem::FindFiles(const std::string& pattern, std::uint32_t attributes) {
    std::vector<FoundFile> found;
    WIN32_FIND_DATAA data{};
    unique_find search(::FindFirstFileA(pattern.c_str(), &data));
    if (!search) return found;
    do {
        // The attribute set chooses which special entries count, as the class library's search does.
        const DWORD special = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
        if ((data.dwFileAttributes & special & ~attributes) != 0) continue;
        found.push_back(FoundFile{data.cFileName, data.dwFileAttributes,
                                  (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    } while (::FindNextFileA(search.get(), &data));
    return found;
}

bool Win32FileSystem::WriteFile(const std::string& path, const void* data, std::size_t size) {
    unique_file file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > (1u << 24) ? (1u << 24) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(file.get(), bytes, chunk, &written, nullptr) || written != chunk) return false;
        bytes += chunk;
        size -= chunk;
    }
    return true;
}

bool Win32FileSystem::SetCurrentDirectory(const std::string& path) { return ::SetCurrentDirectoryA(path.c_str()) != FALSE; }

}  // namespace platform::win32
