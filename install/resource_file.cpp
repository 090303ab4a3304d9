#include "install/resource_file.h"

#include <cstring>
#include <memory>
#include <new>

#include "common/messages.h"
#include "platform/files.h"
#include "platform/resources.h"
#include "platform/service.h"

namespace {

bool WriteResourceImage(const std::string& name, const std::string& type, const std::string& target) {
    const std::unique_ptr<platform::ResourceImage> image = platform::Use<platform::Resources>().Load(name, type);
    // A resource that is not there is not installed, rather than written as an empty file.
    if (!image) return false;
    const std::size_t size = image->Size();
    // Not value-initialised: the copy fills every byte, and zeroing a large image first costs a pass.
    const std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]);
    if (!buffer) return false;
    std::memcpy(buffer.get(), image->Bytes(), size);
    return platform::Use<platform::FileSystem>().WriteFile(target, buffer.get(), size);
}

}  // namespace

void InstallResourceFile(const std::string& name, const std::string& type, const std::string& target) {
    if (!WriteResourceImage(name, type, target))
        ShowErrorMessage("Can't install file " + target, "Не удается установить файл " + target);
}
