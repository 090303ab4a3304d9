#include <gtest/gtest.h>

#include "common/messages.h"
#include "common/path_helpers.h"
#include "tests/unit/test_support.h"

namespace {

using platform::VersionInfo;

struct DetectionCase {
    const char* name;
    std::optional<VersionInfo> extended;
    std::optional<VersionInfo> basic;
    std::optional<std::uint16_t> native;
    std::uint16_t plain;
    bool expected;
};

class DetectionTest : public PlatformTest, public testing::WithParamInterface<DetectionCase> {};

TEST_P(DetectionTest, DecidesTheSixtyFourBitView) {
    const DetectionCase& c = GetParam();
    fake.system.extendedVersion = c.extended;
    fake.system.basicVersion = c.basic;
    fake.system.nativeArchitecture = c.native;
    fake.system.architecture = c.plain;
    CommonInitialization();
    EXPECT_EQ(Is64BitWindows, c.expected);
    EXPECT_EQ(CommonSettings.SetupRegistry->Access(), c.expected ? 0xF013Fu : 0xF003Fu);
}

const VersionInfo Win7{2, 6, 1};
const VersionInfo Win81{2, 6, 2};
const VersionInfo Win10{2, 10, 0};
const VersionInfo Xp64{2, 5, 2};
const VersionInfo Win98{1, 4, 10};

INSTANTIATE_TEST_SUITE_P(
    Versions, DetectionTest,
    testing::Values(DetectionCase{"Win7x64", Win7, Win7, platform::ProcessorAmd64, 0, true},
                    DetectionCase{"Win81x64", Win81, Win81, platform::ProcessorAmd64, 0, true},
                    DetectionCase{"Major10", Win10, Win10, platform::ProcessorAmd64, 0, false},
                    DetectionCase{"Xp64", Xp64, Xp64, platform::ProcessorAmd64, 0, false},
                    DetectionCase{"Itanium", Win7, Win7, platform::ProcessorItanium, 0, false},
                    DetectionCase{"Win7x86", Win7, Win7, platform::ProcessorX86, 0, false},
                    DetectionCase{"NonNt", Win98, Win98, platform::ProcessorAmd64, 0, false},
                    DetectionCase{"NoNativeQueryUsesPlain", Win7, Win7, std::nullopt, platform::ProcessorAmd64, true},
                    DetectionCase{"NoNativeQueryPlainX86", Win7, Win7, std::nullopt, platform::ProcessorX86, false},
                    DetectionCase{"OnlyBasicRecord", std::nullopt, Win7, platform::ProcessorAmd64, 0, false},
                    DetectionCase{"BothQueriesFail", std::nullopt, std::nullopt, platform::ProcessorAmd64, 0, false}),
    [](const testing::TestParamInfo<DetectionCase>& info) { return info.param.name; });

TEST_F(PlatformTest, RussianReadingLocalesAreExactlyTheSeven) {
    for (std::uint32_t lcid : {0x0402u, 0x0419u, 0x0422u, 0x0423u, 0x043Fu, 0x0444u, 0x0819u})
        EXPECT_TRUE(IsRussianReadingLocale(lcid)) << std::hex << lcid;
    // US English, Serbian Cyrillic, and a sublanguage of Russian that is not listed.
    for (std::uint32_t lcid : {0x0409u, 0x0C1Au, 0x1019u, 0x0019u}) EXPECT_FALSE(IsRussianReadingLocale(lcid)) << std::hex << lcid;
}

TEST_F(PlatformTest, CommonInitialisationSetsInterfaceLanguageFromTheUserLocale) {
    StartCommonModules(0x0422);
    EXPECT_TRUE(CommonSettings.InterfaceIsRussian);
    StartCommonModules(0x0409);
    EXPECT_FALSE(CommonSettings.InterfaceIsRussian);
}

struct BoxCase {
    const char* name;
    bool russian;
    void (*show)(const std::string&, const std::string&);
    std::uint32_t flags;
};

class BilingualBoxTest : public PlatformTest, public testing::WithParamInterface<BoxCase> {};

TEST_P(BilingualBoxTest, ShowsTheTextOfTheInterfaceLanguage) {
    const BoxCase& c = GetParam();
    StartCommonModules(c.russian ? 0x0419 : 0x0409);
    c.show("English text", "Русский текст");
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    const auto& box = fake.desktop.boxes[0];
    EXPECT_EQ(box.owner, 0u);
    EXPECT_EQ(box.flags, c.flags);
    if (c.russian) {
        EXPECT_EQ(box.function, "MessageBoxExA");
        EXPECT_EQ(box.text, "Русский текст");
        EXPECT_EQ(box.caption, "\xCC\xEE\xF0\xE2\xE0\xEB\xE5\xED");  // "Морвален" in Windows-1251
        EXPECT_EQ(box.language, 0x0019);
    } else {
        EXPECT_EQ(box.function, "MessageBoxA");
        EXPECT_EQ(box.text, "English text");
        EXPECT_EQ(box.caption, "Morvalen");
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, BilingualBoxTest,
                         testing::Values(BoxCase{"ErrorRussian", true, ShowErrorMessage, 0x200010},
                                         BoxCase{"ErrorEnglish", false, ShowErrorMessage, 0x200010},
                                         BoxCase{"WarningRussian", true, ShowWarningMessage, 0x42030},
                                         BoxCase{"WarningEnglish", false, ShowWarningMessage, 0x42030}),
                         [](const testing::TestParamInfo<BoxCase>& info) { return info.param.name; });

TEST_F(PlatformTest, EmptyTextGivesAnEmptyBodyUnderTheNormalCaption) {
    StartCommonModules(0x0409);
    ShowErrorMessage("", "");
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].text, "");
    EXPECT_EQ(fake.desktop.boxes[0].caption, "Morvalen");
}

TEST(PathHelpers, AppendBackslash) {
    for (auto [in, out] : std::vector<std::pair<std::string, std::string>>{
             {"C:\\Dir", "C:\\Dir\\"}, {"C:\\Dir\\", "C:\\Dir\\"}, {"", ""}, {"X", "X\\"}}) {
        std::string path = in;
        AppendBackslash(path);
        EXPECT_EQ(path, out) << in;
    }
}

TEST(PathHelpers, WithoutTrailingBackslashRemovesOnlyOne) {
    EXPECT_EQ(WithoutTrailingBackslash("C:\\Dir\\\\"), "C:\\Dir\\");
    EXPECT_EQ(WithoutTrailingBackslash("C:\\Dir\\"), "C:\\Dir");
    EXPECT_EQ(WithoutTrailingBackslash("C:\\Dir"), "C:\\Dir");
    EXPECT_EQ(WithoutTrailingBackslash(""), "");
}

TEST(PathHelpers, FolderOfUninstallStringNeverLooksAtTheLastCharacter) {
    EXPECT_EQ(FolderOfUninstallString("C:\\Apps\\Trainer\\uninstall.exe"), "C:\\Apps\\Trainer\\");
    EXPECT_EQ(FolderOfUninstallString("C:\\Apps\\Trainer\\"), "C:\\Apps\\");
    EXPECT_EQ(FolderOfUninstallString("uninstall.exe"), "");
    EXPECT_EQ(FolderOfUninstallString("\\"), "");
    EXPECT_EQ(FolderOfUninstallString(""), "");
    EXPECT_EQ(FolderOfUninstallString("\\x"), "\\");
}

TEST_F(PlatformTest, InstallDateTextPadsMonthAndDay) {
    fake.system.today = {2027, 3, 5};
    EXPECT_EQ(InstallDateText(), "20270305");
    fake.system.today = {2026, 12, 25};
    EXPECT_EQ(InstallDateText(), "20261225");
}

}  // namespace

namespace {

TEST(PathHelpers, PathRootLengthKnowsOnlyFullPaths) {
    const std::vector<std::pair<std::string, std::size_t>> cases{
        {"C:\\Program Files\\Morvalen\\", 3}, {"d:/games", 3},          {"\\\\server\\share\\Morvalen\\", 15},
        {"\\\\server\\share", 0},             {"\\\\server\\", 0},      {"\\\\?\\C:\\Morvalen\\", 0},
        {"\\\\.\\pipe\\x", 0},                {"Morvalen\\", 0},        {"\\Morvalen\\", 0},
        {"C:Morvalen\\", 0},                  {"1:\\Morvalen", 0},      {"", 0}};
    for (const auto& [path, root] : cases) EXPECT_EQ(PathRootLength(path), root) << path;
}

}  // namespace
