#include <gtest/gtest.h>

#include "common/messages.h"
#include "install/resource_file.h"
#include "platform/fake/resources_fake.h"
#include "tests/unit/test_support.h"

namespace {

const std::string UninstallerBytes("MZ\x90\0\x03\0uninstaller\0\xFF", 17);
const std::string Target = "C:\\Program Files\\Morvalen\\uninstall.exe";

class ResourceFileTest : public PlatformTest {
protected:
    ResourceFileTest() {
        StartCommonModules(0x0409);
        resources.Add("UNINSTALL", "EXE", UninstallerBytes);
        fake.files.AddDirectory("C:\\Program Files\\Morvalen");
        fake.log.Clear();
    }
    std::string Written() {
        const std::string* content = fake.files.FileContent(Target);
        return content ? *content : "<none>";
    }

    platform::fake::FakeResources resources{fake.log};
    platform::ServiceScope<platform::Resources> resourcesScope{resources};
};

TEST_F(ResourceFileTest, NewTargetGetsExactlyTheResourceBytesAndTheResourceIsFreed) {
    InstallResourceFile("uninstall", "exe", Target);
    EXPECT_EQ(Written(), UninstallerBytes);
    EXPECT_TRUE(fake.desktop.boxes.empty());
    EXPECT_EQ(fake.log.Calls(), (std::vector<std::string>{"FindResourceA(uninstall,exe)",
                                                           "WriteFile(" + Target + ",17)",
                                                           "FreeResource(UNINSTALL,EXE)"}));
    EXPECT_EQ(resources.LoadedNow(), 0);
}

TEST_F(ResourceFileTest, ExistingTargetIsReplacedWhateverItsSize) {
    for (const std::string& old : {std::string(4096, 'o'), std::string("tiny"), std::string()}) {
        fake.files.AddFile(Target, old);
        InstallResourceFile("uninstall", "exe", Target);
        EXPECT_EQ(Written(), UninstallerBytes) << "old size " << old.size();
    }
    EXPECT_TRUE(fake.desktop.boxes.empty());
}

TEST_F(ResourceFileTest, LookupPassesNameAndTypeAsWrittenAndFindsThemInAnyCase) {
    for (const auto& [name, type] : {std::pair{"Uninstall", "EXE"}, std::pair{"uninstall", "exe"},
                                     std::pair{"UNINSTALL", "Exe"}}) {
        fake.files.DeleteFile(Target);
        fake.log.Clear();
        InstallResourceFile(name, type, Target);
        EXPECT_EQ(fake.log.Calls().front(), std::string("FindResourceA(") + name + "," + type + ")");
        EXPECT_EQ(Written(), UninstallerBytes) << name << "/" << type;
    }
}

struct FailureCase {
    const char* name;
    std::uint32_t interfaceLcid;
    void (*arrange)(platform::fake::FakePlatform&);
    const char* resourceName;
    const char* expectedText;
};

class ResourceFileFailureTest : public ResourceFileTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(ResourceFileFailureTest, ShowsOneErrorBoxNamingTheTargetAndLeavesTheOldFile) {
    const FailureCase& c = GetParam();
    StartCommonModules(c.interfaceLcid);
    fake.files.AddFile(Target, "old uninstaller", 0x20);
    c.arrange(fake);
    const std::string before = Written();
    InstallResourceFile(c.resourceName, "exe", Target);
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].text, std::string(c.expectedText) + Target);
    EXPECT_EQ(fake.desktop.boxes[0].flags, ErrorBoxFlags);
    EXPECT_EQ(Written(), before);
    EXPECT_EQ(resources.LoadedNow(), 0);
}

void ReadOnlyTarget(platform::fake::FakePlatform& f) { f.files.AddFile(Target, "old uninstaller", 0x01); }
void TargetInUse(platform::fake::FakePlatform& f) { f.files.unwritablePaths.insert(Target); }
void FolderMissing(platform::fake::FakePlatform& f) { f.files.RemoveTree("C:\\Program Files\\Morvalen"); }
void NothingElse(platform::fake::FakePlatform&) {}

INSTANTIATE_TEST_SUITE_P(
    Failures, ResourceFileFailureTest,
    testing::Values(FailureCase{"ReadOnly", 0x0409, ReadOnlyTarget, "uninstall", "Can't install file "},
                    FailureCase{"ReadOnlyRussian", 0x0419, ReadOnlyTarget, "uninstall", "Не удается установить файл "},
                    FailureCase{"InUse", 0x0409, TargetInUse, "uninstall", "Can't install file "},
                    FailureCase{"FolderMissing", 0x0419, FolderMissing, "uninstall", "Не удается установить файл "},
                    FailureCase{"NoSuchResource", 0x0409, NothingElse, "uninstaller", "Can't install file "}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(ResourceFileTest, MissingResourceWritesNoEmptyFile) {
    InstallResourceFile("Morvalen", "exe", "C:\\Program Files\\Morvalen\\Morvalen.exe");
    EXPECT_FALSE(fake.files.FileExists("C:\\Program Files\\Morvalen\\Morvalen.exe"));
    EXPECT_TRUE(fake.log.Starting("WriteFile").empty());
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].text, "Can't install file C:\\Program Files\\Morvalen\\Morvalen.exe");
}

}  // namespace
