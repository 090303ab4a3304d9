#include <gtest/gtest.h>

#include "platform/fake/call_log.h"
#include "platform/fake/progress_fake.h"
#include "platform/service.h"
#include "progress/progress_window.h"

namespace {

using platform::fake::FakeProgressWindowSystem;
using ThreadStart = FakeProgressWindowSystem::ThreadStart;

class ProgressWindowTest : public testing::Test {
protected:
    ProgressWindowTest() { ProgressWindow.Reset(); }
    ~ProgressWindowTest() override { ProgressWindow.Reset(); }

    const FakeProgressWindowSystem::Window& Frame() { return windows.windows.at(FakeProgressWindowSystem::FrameHandle); }
    const FakeProgressWindowSystem::Window& TextLine() {
        return windows.windows.at(FakeProgressWindowSystem::TextLineHandle);
    }
    const FakeProgressWindowSystem::Window& Bar() { return windows.windows.at(FakeProgressWindowSystem::BarHandle); }

    platform::fake::CallLog log;
    FakeProgressWindowSystem windows{log};
    platform::ServiceScope<platform::ProgressWindowSystem> scope{windows};
};

struct CentringCase {
    std::int32_t screen, size, origin;
};

TEST(ProgressWindowPlace, IsCentredByIntegerHalving) {
    for (const CentringCase& c : {CentringCase{1920, 408, 756}, CentringCase{1080, 76, 502},
                                  CentringCase{1280, 408, 436}, CentringCase{1024, 76, 474},
                                  CentringCase{409, 408, 0}, CentringCase{300, 408, -54}})
        EXPECT_EQ(platform::CentredOrigin(c.screen, c.size), c.origin) << c.screen << " " << c.size;
}

TEST_F(ProgressWindowTest, FirstShowMakesTheWindowCentredOnItsOwnThread) {
    ShowProgress("Caption", "Line");
    EXPECT_EQ(log.Calls(), std::vector<std::string>{"StartProgressThread(Caption,Line)"});
    EXPECT_EQ(windows.threadsStarted, 1);
    EXPECT_EQ(Frame().text, "Caption");
    EXPECT_EQ(TextLine().text, "Line");
    EXPECT_EQ(Frame().left, 756);
    EXPECT_EQ(Frame().top, 502);
    EXPECT_EQ(Frame().width, 408);
    EXPECT_EQ(Frame().height, 76);
    EXPECT_TRUE(Frame().visible);
}

TEST_F(ProgressWindowTest, MaxRightAfterTheFirstShowWaitsForTheWindowAndSetsTheRange) {
    windows.threadStart = ThreadStart::AfterPauses;
    windows.pausesBeforeStart = 5;
    ShowProgress("Caption", "");
    EXPECT_FALSE(ProgressWindow.WindowExists);
    SetProgressMax(3);
    EXPECT_TRUE(ProgressWindow.WindowExists);
    EXPECT_EQ(windows.pauses, 5);
    EXPECT_EQ(Bar().rangeLow, 0);
    EXPECT_EQ(Bar().rangeHigh, 3);
    // Until the bar existed every try went to no window at all.
    EXPECT_EQ(log.Starting("SendMessageA(0x0,PBM_SETRANGE32,0,3)").size(), 5u);
    EXPECT_EQ(log.Calls().back(), "SendMessageA(0x503,PBM_GETRANGE,0,0)");
}

TEST_F(ProgressWindowTest, SecondShowRetitlesTheSameWindowAndClearsItsLine) {
    ShowProgress("First", "Line");
    ShowProgress("Second", "");
    EXPECT_EQ(windows.threadsStarted, 1);
    EXPECT_EQ(windows.windows.size(), 3u);
    EXPECT_EQ(Frame().text, "Second");
    EXPECT_EQ(TextLine().text, "");
    EXPECT_EQ(log.Calls().back(), "SetWindowPos(0x501,HWND_TOPMOST,756,502,408,76,0x40)");
}

TEST_F(ProgressWindowTest, HideThenShowBringsTheSameWindowBackAtItsPlace) {
    windows.screenWidth = 1280;
    windows.screenHeight = 1024;
    ShowProgress("Caption", "Line");
    HideProgress();
    EXPECT_FALSE(Frame().visible);
    EXPECT_EQ(log.Calls().back(), "SetWindowPos(0x501,HWND_TOPMOST,436,474,408,76,0x80)");
    ShowProgress("", "");
    EXPECT_TRUE(Frame().visible);
    EXPECT_TRUE(Frame().topmost);
    EXPECT_EQ(Frame().left, 436);
    EXPECT_EQ(Frame().top, 474);
    EXPECT_EQ(Frame().text, "");
    EXPECT_EQ(TextLine().text, "");
    EXPECT_EQ(windows.threadsStarted, 1);
}

TEST_F(ProgressWindowTest, TextAndPositionGoToTheirControls) {
    ShowProgress("Caption", "");
    SetProgressText("C:\\Program Files\\Morvalen\\uninstall.exe");
    SetProgressPosition(2);
    EXPECT_EQ(TextLine().text, "C:\\Program Files\\Morvalen\\uninstall.exe");
    EXPECT_EQ(Bar().position, 2);
    EXPECT_EQ(Frame().text, "Caption");
}

TEST_F(ProgressWindowTest, CallsBeforeTheWindowExistsChangeNothingAndDoNotWait) {
    windows.threadStart = ThreadStart::Hangs;
    ShowProgress("Caption", "");
    SetProgressPosition(1);
    SetProgressText("text");
    HideProgress();
    SetProgressMax(0);
    EXPECT_EQ(windows.pauses, 0);
    EXPECT_TRUE(windows.windows.empty());
    EXPECT_EQ(log.Starting("SendMessageA(0x0,PBM_SETPOS,1,0)").size(), 1u);
}

TEST_F(ProgressWindowTest, MaxGivesUpAtOnceWhenTheThreadEndsWithoutAWindow) {
    windows.threadStart = ThreadStart::ClassRefused;
    windows.pausesBeforeStart = 4;
    ShowProgress("Caption", "");
    SetProgressMax(3);
    EXPECT_EQ(windows.pauses, 4);
    EXPECT_FALSE(ProgressWindow.WindowExists);
    // No second thread and no wait later on either: no window is ever shown.
    ShowProgress("Again", "");
    SetProgressMax(3);
    EXPECT_EQ(windows.threadsStarted, 1);
    EXPECT_EQ(windows.pauses, 4);
}

TEST_F(ProgressWindowTest, MaxGivesUpAfterTheLimitWhenTheThreadNeverMakesTheWindow) {
    windows.threadStart = ThreadStart::Hangs;
    windows.pauseMs = 7;
    ShowProgress("Caption", "");
    SetProgressMax(3);
    EXPECT_GE(windows.now, ProgressWindowWaitLimitMs);
    EXPECT_LT(windows.now, ProgressWindowWaitLimitMs + windows.pauseMs);
}

TEST_F(ProgressWindowTest, MaxWithoutAnyShowDoesNotWait) {
    SetProgressMax(3);
    EXPECT_EQ(windows.pauses, 0);
    EXPECT_EQ(windows.threadsStarted, 0);
}

TEST_F(ProgressWindowTest, SecondShowWhileTheWindowIsBeingMadeWaitsForItThenApplies) {
    windows.threadStart = ThreadStart::AfterPauses;
    windows.pausesBeforeStart = 3;
    ShowProgress("First", "Line");
    ShowProgress("Second", "");
    EXPECT_EQ(windows.threadsStarted, 1);
    EXPECT_EQ(windows.pauses, 3);
    EXPECT_EQ(Frame().text, "Second");
    EXPECT_EQ(TextLine().text, "");
}

}  // namespace
