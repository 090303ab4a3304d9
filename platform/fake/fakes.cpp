#include "platform/fake/fakes.h"

#include <algorithm>

namespace platform::fake {

// ---- system

std::optional<std::string> FakeSystem::GetEnvironmentVariable(const std::string& name) {
    auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
}

void FakeSystem::Sleep(std::uint32_t milliseconds) {
    log_.Add("Sleep(" + std::to_string(milliseconds) + ")");
    sleeps.push_back(milliseconds);
    if (onSleep) onSleep(sleeps.size());
}

KernelHandle FakeSystem::CreateFileMapping(const std::string& name, std::uint32_t size, std::uint32_t& lastError) {
    log_.Add("CreateFileMapping(" + name + "," + std::to_string(size) + ")");
    lastError = heldMappings.count(name) ? ErrorAlreadyExists : 0;
    if (lastError == 0) createdMappings_[nextHandle_] = name;
    heldMappings.insert(name);
    return nextHandle_++;
}

void FakeSystem::CloseHandle(KernelHandle handle) {
    log_.Add("CloseHandle(" + Hex(handle) + ")");
    // Closing the only handle of a mapping this process made frees its name.
    auto created = createdMappings_.find(handle);
    if (created == createdMappings_.end()) return;
    heldMappings.erase(created->second);
    createdMappings_.erase(created);
}

// ---- desktop

int FakeDesktop::Answer(Box box) {
    boxes.push_back(box);
    if (onBox) onBox(boxes.back());
    if (answers.empty()) return IdOk;
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

int FakeDesktop::MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                             std::uint32_t flags) {
    log_.Add("MessageBoxA(" + caption + "," + Hex(flags) + ")");
    return Answer(Box{"MessageBoxA", owner, text, caption, flags, 0});
}

int FakeDesktop::MessageBoxExA(WindowHandle owner, const std::string& text, const std::string& caption,
                               std::uint32_t flags, std::uint16_t language) {
    log_.Add("MessageBoxExA(" + caption + "," + Hex(flags) + "," + Hex(language) + ")");
    return Answer(Box{"MessageBoxExA", owner, text, caption, flags, language});
}

WindowHandle FakeDesktop::FindWindowA(const std::string& className) {
    log_.Add("FindWindowA(" + className + ")");
    auto found = windows.find(className);
    return found == windows.end() ? 0 : found->second;
}

bool FakeDesktop::PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
    log_.Add("PostMessageA(" + Hex(window) + "," + Hex(message) + "," + std::to_string(wParam) + "," +
             std::to_string(lParam) + ")");
    return true;
}

bool FakeDesktop::ShowWindow(WindowHandle window, int command) {
    log_.Add("ShowWindow(" + Hex(window) + "," + std::to_string(command) + ")");
    return true;
}

bool FakeDesktop::SetForegroundWindow(WindowHandle window) {
    log_.Add("SetForegroundWindow(" + Hex(window) + ")");
    return true;
}

// ---- files

std::string FakeFileSystem::Normal(const std::string& path) {
    std::string normal = path;
    std::replace(normal.begin(), normal.end(), '/', '\\');
    while (!normal.empty() && normal.back() == '\\') normal.pop_back();
    std::transform(normal.begin(), normal.end(), normal.begin(),
                   [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; });
    return normal;
}

namespace {
std::string ParentOf(const std::string& normal) {
    const std::size_t at = normal.find_last_of('\\');
    return at == std::string::npos ? std::string() : normal.substr(0, at);
}
bool IsDriveRoot(const std::string& normal) { return normal.size() == 2 && normal[1] == ':'; }
}  // namespace

bool FakeFileSystem::DirectoryExists(const std::string& path) {
    const std::string normal = Normal(path);
    return !normal.empty() && directories_.count(normal) != 0;
}

bool FakeFileSystem::FileExists(const std::string& path) { return files_.count(Normal(path)) != 0; }

bool FakeFileSystem::CreateDirectory(const std::string& path) {
    log_.Add("CreateDirectory(" + path + ")");
    const std::string normal = Normal(path);
    if (normal.empty() || directories_.count(normal) || files_.count(normal)) return false;
    const std::string parent = ParentOf(normal);
    if (!parent.empty() && !directories_.count(parent)) return false;
    directories_[normal] = path;
    return true;
}

bool FakeFileSystem::ForceDirectories(const std::string& path) {
    log_.Add("ForceDirectories(" + path + ")");
    const std::string normal = Normal(path);
    if (normal.empty() || files_.count(normal)) return false;
    if (directories_.count(normal)) return true;
    const std::string parent = ParentOf(normal);
    if (IsDriveRoot(normal)) return false;  // a drive the test did not add does not exist
    if (!parent.empty() && !DirectoryExists(parent) && !ForceDirectories(parent)) return false;
    if (normal.find_first_of("<>\"|?*") != std::string::npos) return false;
    directories_[normal] = path;
    return true;
}

bool FakeFileSystem::DeleteFile(const std::string& path) {
    log_.Add("DeleteFile(" + path + ")");
    return files_.erase(Normal(path)) != 0;
}

std::vector<FoundFile> FakeFileSystem::FindFiles(const std::string& pattern, std::uint32_t attributes) {
    log_.Add("FindFiles(" + pattern + "," + Hex(attributes) + ")");
    const std::string folder = ParentOf(Normal(pattern));
    std::vector<FoundFile> found;
    for (const auto& [normal, original] : directories_)
        if (ParentOf(normal) == folder && (attributes & FileAttributeDirectory))
            found.push_back(FoundFile{original.substr(original.find_last_of('\\') + 1), FileAttributeDirectory, 0});
    for (const auto& [normal, file] : files_) {
        if (ParentOf(normal) != folder) continue;
        const std::uint32_t special = 0x02 | 0x04;  // hidden, system
        if (file.attributes & special & ~attributes) continue;
        const auto reported = reportedSizes_.find(normal);
        found.push_back(FoundFile{file.path.substr(file.path.find_last_of('\\') + 1), file.attributes,
                                  reported != reportedSizes_.end() ? reported->second : file.content.size()});
    }
    return found;
}

bool FakeFileSystem::WriteFile(const std::string& path, const void* data, std::size_t size) {
    log_.Add("WriteFile(" + path + "," + std::to_string(size) + ")");
    const std::string normal = Normal(path);
    for (const std::string& refused : unwritablePaths)
        if (Normal(refused) == normal) return false;
    const std::string parent = ParentOf(normal);
    if (!parent.empty() && !directories_.count(parent)) return false;
    auto existing = files_.find(normal);
    if (existing != files_.end() && (existing->second.attributes & 0x01)) return false;  // read-only
    files_[normal] = File{path, std::string(static_cast<const char*>(data), size), 0x20};
    return true;
}

bool FakeFileSystem::SetCurrentDirectory(const std::string& path) {
    log_.Add("SetCurrentDirectory(" + path + ")");
    if (!DirectoryExists(path)) return false;
    currentDirectory = path;
    return true;
}

void FakeFileSystem::AddDirectory(const std::string& path) {
    std::string normal = Normal(path);
    std::string original = path;
    while (!original.empty() && original.back() == '\\') original.pop_back();
    while (!normal.empty()) {
        directories_.emplace(normal, original);
        normal = ParentOf(normal);
        original = original.substr(0, std::min(original.size(), normal.size()));
    }
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& content, std::uint32_t attributes) {
    const std::string normal = Normal(path);
    if (!ParentOf(normal).empty()) AddDirectory(path.substr(0, path.find_last_of('\\')));
    files_[normal] = File{path, content, attributes};
}

const std::string* FakeFileSystem::FileContent(const std::string& path) const {
    auto found = files_.find(Normal(path));
    return found == files_.end() ? nullptr : &found->second.content;
}

void FakeFileSystem::RemoveTree(const std::string& path) {
    const std::string normal = Normal(path);
    auto inside = [&](const std::string& candidate) {
        return candidate == normal || candidate.compare(0, normal.size() + 1, normal + "\\") == 0;
    };
    for (auto it = directories_.begin(); it != directories_.end();) it = inside(it->first) ? directories_.erase(it) : std::next(it);
    for (auto it = files_.begin(); it != files_.end();) it = inside(it->first) ? files_.erase(it) : std::next(it);
}

// ---- shell

int FakeShell::DeleteWithShell(const std::string& path, std::uint16_t flags) {
    log_.Add("SHFileOperationA(FO_DELETE," + path + "," + Hex(flags) + ")");
    if (!files_.DirectoryExists(path)) return 2;
    files_.RemoveTree(path);
    return 0;
}

std::intptr_t FakeShell::ShellExecuteA(WindowHandle owner, const std::string& verb, const std::string& file,
                                       const std::string& parameters, const std::string& directory,
                                       int showCommand) {
    log_.Add("ShellExecuteA(" + Hex(owner) + "," + verb + "," + file + "," + parameters + "," + directory + "," +
             std::to_string(showCommand) + ")");
    if (onExecute) onExecute(file);
    return 42;
}

bool FakeShell::SaveShellLink(const ShellLink& link, const std::string& file) {
    log_.Add("SaveShellLink(" + file + ")");
    if (failLinkSaves) return false;
    links[file] = link;
    return true;
}

}  // namespace platform::fake
