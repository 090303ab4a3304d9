// BrowseForFolder's in/out rules with the fake picker; the main sequence runs the form.
#include <gtest/gtest.h>

#include "platform/fake/form_fake.h"
#include "setup/setup_program.h"
#include "setup/wizard/MVSetupForm.h"
#include "setup/wizard/browse_for_folder.h"
#include "setup/wizard/setup_form_results.h"
#include "tests/unit/test_support.h"

namespace {

class BrowseTest : public PlatformTest {
protected:
    BrowseTest() : forms(fake.log) { StartCommonModules(); }
    platform::fake::FakeFormPlatform forms;
};

TEST_F(BrowseTest, ExistingFolderIsPreselectedAndThePickIsReturnedAsTheShellGivesIt) {
    fake.files.AddDirectory("C:\\Apps\\Morvalen");
    forms.picker.answer = "C:\\Apps\\Morvalen";
    std::string folder = "C:\\Apps\\Morvalen\\";
    EXPECT_TRUE(BrowseForFolder("Title", folder));
    ASSERT_EQ(forms.picker.requests.size(), 1u);
    EXPECT_EQ(forms.picker.requests[0].title, "Title");
    EXPECT_EQ(forms.picker.requests[0].preselected, "C:\\Apps\\Morvalen\\");
    EXPECT_EQ(folder, "C:\\Apps\\Morvalen");
}

TEST_F(BrowseTest, MissingFolderOpensWithNothingSelectedAndIsEmptyEvenAfterCancel) {
    std::string folder = "C:\\Program Files\\Morvalen\\";
    EXPECT_FALSE(BrowseForFolder("Title", folder));
    ASSERT_EQ(forms.picker.requests.size(), 1u);
    EXPECT_EQ(forms.picker.requests[0].preselected, "");
    EXPECT_EQ(folder, "");
}

TEST_F(BrowseTest, CancelKeepsAnExistingFolder) {
    fake.files.AddDirectory("D:\\Games");
    std::string folder = "D:\\Games";
    EXPECT_FALSE(BrowseForFolder("Title", folder));
    EXPECT_EQ(folder, "D:\\Games");
}

TEST_F(BrowseTest, MissingFolderCanStillBePickedAnew) {
    forms.picker.answer = "E:\\New";
    std::string folder = "Q:\\Gone";
    EXPECT_TRUE(BrowseForFolder("Title", folder));
    EXPECT_EQ(forms.picker.requests[0].preselected, "");
    EXPECT_EQ(folder, "E:\\New");
}

// ---- the main sequence

TEST_F(BrowseTest, MainSequenceRunsTheFormAfterTheStartUpChecksWithTheProposedFolder) {
    fake.registry.SetString(RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                            "C:\\Program Files");
    std::string shownFolder;
    std::string caption;
    forms.application.user = [&](forms::Form& form) {
        auto& setupForm = static_cast<TSetupForm&>(form);
        caption = setupForm.caption;
        shownFolder = setupForm.PathLabeledEdit.text;
        setupForm.CancelBitBtn.Click();
    };
    EXPECT_EQ(RunSetupProgram(), 0);
    EXPECT_EQ(fake.log.Starting("CreateForm").size(), 1u);
    EXPECT_EQ(fake.log.Starting("RunForm").size(), 1u);
    EXPECT_EQ(caption, "Морвален");
    EXPECT_EQ(shownFolder, "C:\\Program Files\\Morvalen\\");
    EXPECT_TRUE(forms.application.host.closed);
    EXPECT_FALSE(SettingsConfirmed);
}

TEST_F(BrowseTest, MainSequenceShowsNoFormWhenTheChecksRefuse) {
    fake.system.isAdmin = false;
    EXPECT_EQ(RunSetupProgram(), 0);
    EXPECT_TRUE(fake.log.Starting("CreateForm").empty());
    EXPECT_TRUE(fake.log.Starting("RunForm").empty());
}

}  // namespace
