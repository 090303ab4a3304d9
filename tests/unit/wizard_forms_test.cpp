// The component layer's own rules, on the setup form's layout and on small forms of their own.
#include <gtest/gtest.h>

#include "platform/fake/form_fake.h"
#include "platform/forms.h"
#include "setup/wizard/MVSetupForm.h"
#include "tests/unit/test_support.h"

namespace {

using forms::Control;

struct Placement {
    const char* name;
    const Control* control;
    const Control* parent;
    int left, top, width, height;
};

TEST(SetupFormLayoutTest, ComponentsStandWhereTheLayoutPutsThem) {
    TSetupForm form;
    const Placement table[] = {
        {"TitleLabel", &form.TitleLabel, nullptr, 64, 0, 489, 17},
        {"PreLicenceLabel", &form.PreLicenceLabel, nullptr, 64, 24, 489, 41},
        {"BrandImage", &form.BrandImage, nullptr, 0, 0, 64, 60},
        {"LicenceMemo", &form.LicenceMemo, nullptr, 0, 64, 553, 148},
        {"LicenceCheckBox", &form.LicenceCheckBox, nullptr, 8, 232, 512, 17},
        {"BottomPanel", &form.BottomPanel, nullptr, 0, 264, 553, 41},
        {"CancelBitBtn", &form.CancelBitBtn, &form.BottomPanel, 8, 8, 113, 25},
        {"NextBitBtn", &form.NextBitBtn, &form.BottomPanel, 432, 8, 113, 25},
        {"AdvancedGroupBox", &form.AdvancedGroupBox, nullptr, 0, 61, 553, 203},
        {"DesktopIconCheckBox", &form.DesktopIconCheckBox, &form.AdvancedGroupBox, 8, 32, 540, 17},
        {"RunCheckBox", &form.RunCheckBox, &form.AdvancedGroupBox, 8, 64, 540, 17},
        {"PathLabeledEdit", &form.PathLabeledEdit, &form.AdvancedGroupBox, 8, 136, 481, 23},
        {"PathBitBtn", &form.PathBitBtn, &form.AdvancedGroupBox, 496, 136, 49, 23},
    };
    for (const Placement& p : table) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(p.control->parent, p.parent);
        EXPECT_EQ(p.control->left, p.left);
        EXPECT_EQ(p.control->top, p.top);
        EXPECT_EQ(p.control->width, p.width);
        EXPECT_EQ(p.control->height, p.height);
    }
}

TEST(SetupFormLayoutTest, FontsAreArialWithTheCyrillicCharacterSet) {
    TSetupForm form;
    EXPECT_EQ(form.font, (forms::Font{"Arial", -13, false, false, 204}));
    EXPECT_EQ(form.TitleLabel.font(), (forms::Font{"Arial", -13, true, false, 204}));
    EXPECT_EQ(form.PreLicenceLabel.font(), form.font);
    EXPECT_EQ(form.LicenceMemo.font(), (forms::Font{"Arial", -12, false, true, 204}));
    EXPECT_EQ(form.PathLabeledEdit.font(), (forms::Font{"Arial", -12, false, false, 204}));
    EXPECT_EQ(form.PathLabeledEdit.LabelFont(), (forms::Font{"Arial", -12, false, false, 204}));
    // The group's check boxes and the panel's buttons inherit the form's font.
    EXPECT_EQ(form.RunCheckBox.font(), form.font);
    EXPECT_EQ(form.CancelBitBtn.font(), form.font);
}

TEST(SetupFormLayoutTest, FormIsAnAutoSizedTopmostCentredWindowWithOnlyTheSystemMenu) {
    TSetupForm form;
    EXPECT_EQ(form.width, 569);
    EXPECT_EQ(form.height, 344);
    EXPECT_TRUE(form.autoSize);
    EXPECT_FALSE(form.minimizeBox);
    EXPECT_FALSE(form.maximizeBox);
    EXPECT_TRUE(form.stayOnTop);
    EXPECT_TRUE(form.screenCentre);
    const forms::Size client = forms::AutoSizedClient(form);
    EXPECT_EQ(client.width, 553);
    EXPECT_EQ(client.height, 305);
}

TEST(SetupFormLayoutTest, ButtonsAndBoxesCarryTheirRoles) {
    TSetupForm form;
    EXPECT_TRUE(form.CancelBitBtn.isCancel);
    EXPECT_TRUE(form.CancelBitBtn.isDefault);
    EXPECT_EQ(form.CancelBitBtn.modalResult, forms::ModalResult::Cancel);
    EXPECT_EQ(form.CancelBitBtn.glyph, "CANCELGLYPH");
    EXPECT_EQ(form.CancelBitBtn.glyphCount, 2);
    EXPECT_EQ(form.NextBitBtn.glyph, "NEXTGLYPH");
    EXPECT_EQ(form.NextBitBtn.glyphLayout, forms::GlyphLayout::Right);
    EXPECT_FALSE(form.NextBitBtn.isDefault);
    EXPECT_EQ(form.BrandImage.picture, "BRANDIMAGE");
    EXPECT_TRUE(form.BrandImage.transparent);
    EXPECT_TRUE(form.LicenceMemo.readOnly);
    EXPECT_TRUE(form.LicenceMemo.verticalScrollBar);
    EXPECT_FALSE(form.LicenceCheckBox.checked);
    EXPECT_TRUE(form.DesktopIconCheckBox.checked);
    EXPECT_TRUE(form.RunCheckBox.checked);
    EXPECT_TRUE(form.PathLabeledEdit.showHint);
    for (const Control* c : {static_cast<const Control*>(&form.LicenceCheckBox), static_cast<const Control*>(&form.CancelBitBtn),
                             static_cast<const Control*>(&form.NextBitBtn), static_cast<const Control*>(&form.DesktopIconCheckBox),
                             static_cast<const Control*>(&form.RunCheckBox), static_cast<const Control*>(&form.PathBitBtn)})
        EXPECT_EQ(c->cursor, forms::Cursor::HandPoint);
    EXPECT_EQ(form.LicenceMemo.cursor, forms::Cursor::Default);
}

TEST(SetupFormLayoutTest, BottomAlignmentReproducesTheTablePositions) {
    TSetupForm form;
    // Roughly placed, the panel below the group: alignment makes the exact layout.
    form.BottomPanel.SetBounds(5, 250, 100, 41);
    form.AdvancedGroupBox.SetBounds(7, 40, 100, 203);
    forms::ArrangeBottomAligned(form, nullptr, forms::Size{553, 305});
    EXPECT_EQ(form.BottomPanel.left, 0);
    EXPECT_EQ(form.BottomPanel.top, 264);
    EXPECT_EQ(form.BottomPanel.width, 553);
    EXPECT_EQ(form.AdvancedGroupBox.top, 61);
    EXPECT_EQ(form.AdvancedGroupBox.width, 553);
    EXPECT_EQ(form.LicenceCheckBox.top, 232);  // not aligned: left alone
}

// ---- keyboard rules

class SetupFormKeysTest : public PlatformTest {
protected:
    SetupFormKeysTest() : forms(fake.log) {
        StartCommonModules();
        forms.application.CreateForm(form);
    }
    void AcceptAgreement() {
        form.LicenceCheckBox.checked = true;
        form.LicenceCheckBox.Click();
    }
    platform::fake::FakeFormPlatform forms;
    TSetupForm form;
};

TEST_F(SetupFormKeysTest, TabVisitsTheReachableControlsInTabOrder) {
    // Page 1 before the tick: memo, licence box, Cancel ("Далее" is disabled, the group hidden).
    EXPECT_EQ(forms::TabSequence(form),
              (std::vector<Control*>{&form.LicenceMemo, &form.LicenceCheckBox, &form.CancelBitBtn}));
    AcceptAgreement();
    form.NextBitBtn.Click();
    // Page 2: the memo is hidden; the licence box still counts, under the group.
    EXPECT_EQ(forms::TabSequence(form),
              (std::vector<Control*>{&form.LicenceCheckBox, &form.CancelBitBtn, &form.NextBitBtn,
                                     &form.DesktopIconCheckBox, &form.RunCheckBox, &form.PathLabeledEdit,
                                     &form.PathBitBtn}));
}

TEST_F(SetupFormKeysTest, TabAndShiftTabWrapRound) {
    EXPECT_EQ(forms::NextTabStop(form, &form.LicenceMemo, false), &form.LicenceCheckBox);
    EXPECT_EQ(forms::NextTabStop(form, &form.CancelBitBtn, false), &form.LicenceMemo);
    EXPECT_EQ(forms::NextTabStop(form, &form.LicenceMemo, true), &form.CancelBitBtn);
    EXPECT_EQ(forms::NextTabStop(form, nullptr, false), &form.LicenceMemo);
    EXPECT_EQ(forms::NextTabStop(form, &form.TitleLabel, true), &form.CancelBitBtn);
}

TEST_F(SetupFormKeysTest, EnterPressesCancelUnlessAButtonOrATextHasTheFocus) {
    AcceptAgreement();
    EXPECT_EQ(forms::ButtonForEnter(form, &form.LicenceCheckBox), &form.CancelBitBtn);
    EXPECT_EQ(forms::ButtonForEnter(form, nullptr), &form.CancelBitBtn);
    EXPECT_EQ(forms::ButtonForEnter(form, &form.NextBitBtn), &form.NextBitBtn);
    EXPECT_EQ(forms::ButtonForEnter(form, &form.LicenceMemo), nullptr);
    form.NextBitBtn.Click();
    EXPECT_EQ(forms::ButtonForEnter(form, &form.PathLabeledEdit), nullptr);
    EXPECT_EQ(forms::ButtonForEnter(form, &form.RunCheckBox), &form.CancelBitBtn);
    EXPECT_EQ(forms::ButtonForEnter(form, &form.PathBitBtn), &form.PathBitBtn);
}

TEST_F(SetupFormKeysTest, EscapePressesCancelWhileItIsReachable) {
    EXPECT_EQ(forms::ButtonForEscape(form), &form.CancelBitBtn);
    form.CancelBitBtn.enabled = false;
    EXPECT_EQ(forms::ButtonForEscape(form), nullptr);
    EXPECT_EQ(forms::ButtonForEnter(form, &form.LicenceCheckBox), nullptr);
}

// ---- the layer on a form of its own

class TinyForm : public forms::Form {
public:
    forms::Panel outer{*this};
    forms::GlyphButton second{*this};
    forms::GlyphButton first{*this};
    forms::CheckBox box{*this};
    forms::Label caption{*this};
};

TEST(FormsLayerTest, TabOrderDecidesOverCreationOrderAndDisabledParentsHideTheirChildren) {
    TinyForm form;
    form.second.parent = &form.outer;
    form.first.parent = &form.outer;
    form.second.tabOrder = 1;
    form.first.tabOrder = 0;
    form.outer.tabOrder = 1;
    form.box.tabOrder = 0;
    EXPECT_EQ(forms::TabSequence(form), (std::vector<Control*>{&form.box, &form.first, &form.second}));
    form.outer.enabled = false;
    EXPECT_EQ(forms::TabSequence(form), (std::vector<Control*>{&form.box}));
    EXPECT_FALSE(form.first.Usable());
    EXPECT_TRUE(form.first.Showing());
    form.outer.enabled = true;
    form.outer.visible = false;
    EXPECT_FALSE(form.second.Showing());
    EXPECT_EQ(forms::NextTabStop(form, &form.box, false), &form.box);
}

TEST(FormsLayerTest, FontsFollowTheParentUntilAControlHasItsOwn) {
    TinyForm form;
    form.first.parent = &form.outer;
    form.outer.SetFont(forms::Font{"Arial", -20, false, false, 204});
    EXPECT_EQ(form.first.font().height, -20);
    EXPECT_EQ(form.box.font(), form.font);
    form.font.height = -15;
    EXPECT_EQ(form.box.font().height, -15);
}

TEST(FormsLayerTest, AutoSizeCountsOnlyVisibleControls) {
    TinyForm form;
    form.box.SetBounds(10, 10, 100, 20);
    form.caption.SetBounds(0, 200, 400, 30);
    form.caption.visible = false;
    forms::Size client = forms::AutoSizedClient(form);
    EXPECT_EQ(client.width, 110);
    EXPECT_EQ(client.height, 30);
}

TEST(FormsLayerTest, FormMeasuresWithItsOwnFontThroughItsHost) {
    platform::fake::CallLog log;
    platform::fake::FakeFormHost host(log);
    TinyForm form;
    bool created = false;
    form.onCreate = [&] { created = true; };
    form.Create(host);
    EXPECT_TRUE(created);
    form.font.bold = true;
    EXPECT_EQ(form.TextWidth("abc"), 21);
    ASSERT_EQ(host.measuredFonts.size(), 1u);
    EXPECT_TRUE(host.measuredFonts[0].bold);
    form.Show();
    form.Hide();
    form.Close();
    EXPECT_EQ(log.Calls(), (std::vector<std::string>{"TextWidth(abc)", "ShowForm", "HideForm", "CloseForm"}));
}

}  // namespace
