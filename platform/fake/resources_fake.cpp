#include "platform/fake/resources_fake.h"

#include <algorithm>

namespace platform::fake {
namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; });
    return text;
}

}  // namespace

class FakeResources::Image : public ResourceImage {
public:
    Image(FakeResources& owner, const std::string& bytes, std::string label)
        : owner_(owner), bytes_(bytes), label_(std::move(label)) {
        ++owner_.loadedNow_;
    }
    ~Image() override {
        --owner_.loadedNow_;
        owner_.log_.Add("FreeResource(" + label_ + ")");
    }
    const void* Bytes() const override { return bytes_.data(); }
    std::size_t Size() const override { return bytes_.size(); }

private:
    FakeResources& owner_;
    const std::string& bytes_;
    std::string label_;
};

std::unique_ptr<ResourceImage> FakeResources::Load(const std::string& name, const std::string& type) {
    log_.Add("FindResourceA(" + name + "," + type + ")");
    auto found = images_.find({Upper(name), Upper(type)});
    if (found == images_.end()) return nullptr;
    return std::make_unique<Image>(*this, found->second, found->first.first + "," + found->first.second);
}

void FakeResources::Add(const std::string& name, const std::string& type, std::string bytes) {
    images_[{Upper(name), Upper(type)}] = std::move(bytes);
}

}  // namespace platform::fake
