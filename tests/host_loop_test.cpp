// The frame loop, its update clock and the entry-point guards, on a host whose
// clock and window events the test drives.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include <csignal>

#include "support/capture.h"
#include "support/test_host.h"

namespace {

class HostLoop : public ::testing::Test {
protected:
    TestHost host;
    RecordingDelegate delegate;

    void SetUp() override { host.SetDelegate(&delegate); }
    void Start(int rate) {
        host.SetUpdateRate(rate);
        host.StartGame();
    }
    // Updates run by the frame loop in the next n frames.
    int UpdatesIn(int frames) {
        int before = delegate.Count("update");
        for (int i = 0; i < frames; ++i) host.RunFrame();
        return delegate.Count("update") - before;
    }
};

TEST_F(HostLoop, RendersFirstThenSleepsTakesEventsAndUpdates) {
    Start(60);
    host.events.push_back([] { BBGlfwGame::OnKey(nullptr, GLFW_KEY_A, 0, GLFW_PRESS, 0); });
    host.RunFrame();
    host.RunFrame();
    std::vector<std::string> expected = {"start", "render", "key 1 65", "update", "render", "update"};
    EXPECT_EQ(delegate.log, expected);
    EXPECT_EQ(host.swaps, 2);
    // The first frame has no schedule yet; the second sleeps until its update,
    // whole milliseconds truncated (16.67 ms -> 16).
    EXPECT_EQ(host.sleepsMs, std::vector<int>({16}));
}

TEST_F(HostLoop, SteadyRateRunsOneUpdatePerFrame) {
    Start(60);
    EXPECT_EQ(UpdatesIn(120), 120);
    for (int ms : host.sleepsMs) EXPECT_TRUE(ms == 16 || ms == 17) << ms;
}

TEST_F(HostLoop, RateZeroUpdatesOncePerFrameWithoutSleeping) {
    Start(0);
    EXPECT_EQ(UpdatesIn(5), 5);
    EXPECT_TRUE(host.sleepsMs.empty());
}

TEST_F(HostLoop, SlowFrameCatchesUpAtMostFourAndDropsTheRest) {
    Start(60);
    host.RunFrame();
    // A render that takes 100 ms leaves six updates due: four run, the rest
    // of the backlog is dropped and the schedule re-anchors.
    delegate.onRender = [&] { host.now += 0.1; };
    EXPECT_EQ(UpdatesIn(1), 4);
    delegate.onRender = nullptr;
    EXPECT_EQ(host.NextUpdate(), 0.0);
    // The next frames run at the normal pace again, with no burst.
    EXPECT_EQ(UpdatesIn(3), 3);
}

TEST_F(HostLoop, ModerateBacklogIsMadeUpInFull) {
    Start(60);
    host.RunFrame();
    delegate.onRender = [&] { host.now += 0.040; };  // updates at +16.7 and +33.3 ms are due
    EXPECT_EQ(UpdatesIn(1), 2);
    delegate.onRender = nullptr;
    EXPECT_NE(host.NextUpdate(), 0.0);
}

TEST_F(HostLoop, UpdateThatChangesTheRateEndsTheCatchUp) {
    Start(60);
    host.RunFrame();
    delegate.onRender = [&] { host.now += 0.1; };
    delegate.onUpdate = [&] { host.SetUpdateRate(30); };
    EXPECT_EQ(UpdatesIn(1), 1);
    delegate.onRender = nullptr;
    delegate.onUpdate = nullptr;
    // The next frame starts the new schedule at once, without sleeping.
    size_t sleeps = host.sleepsMs.size();
    EXPECT_EQ(UpdatesIn(1), 1);
    EXPECT_EQ(host.sleepsMs.size(), sleeps);
    EXPECT_EQ(UpdatesIn(1), 1);
    EXPECT_EQ(host.sleepsMs.back(), 33);
}

TEST_F(HostLoop, FocusLossSuspendsOnceAndFocusResumesWithAFreshSchedule) {
    Start(60);
    UpdatesIn(3);
    host.focused = false;
    EXPECT_EQ(UpdatesIn(3), 0);
    EXPECT_EQ(delegate.Count("suspend"), 1);
    // While suspended the loop blocks for events and still renders.
    EXPECT_EQ(host.pumps, std::vector<bool>({false, false, false, false, true, true}));
    EXPECT_EQ(delegate.Count("render"), 6);

    host.now += 5.0;  // a long time away
    host.focused = true;
    EXPECT_EQ(UpdatesIn(1), 1);  // no burst of catch-up updates
    EXPECT_EQ(delegate.Count("resume"), 1);
    EXPECT_EQ(UpdatesIn(2), 2);
}

TEST_F(HostLoop, NewWindowDoesNotSuspendBeforeItHasHadFocus) {
    Start(60);
    host.NewWindowWithoutFocus();
    host.focused = false;
    EXPECT_EQ(UpdatesIn(2), 2);
    EXPECT_EQ(delegate.Count("suspend"), 0);
    host.focused = true;
    host.RunFrame();
    host.focused = false;
    host.RunFrame();
    EXPECT_EQ(delegate.Count("suspend"), 1);
}

TEST_F(HostLoop, KeyEventsStillArriveWhileSuspended) {
    Start(60);
    host.focused = false;
    host.RunFrame();
    host.events.push_back([] { BBGlfwGame::OnKey(nullptr, GLFW_KEY_ESCAPE, 0, GLFW_PRESS, 0); });
    host.RunFrame();
    EXPECT_EQ(delegate.Count("key 1 27"), 1);
}

TEST(HostGuards, EntryPointsDoNothingBeforeStartAndFollowTheFlags) {
    TestHost host;
    RecordingDelegate delegate;
    host.SetDelegate(&delegate);
    host.KeyEvent(c_BBGameEvent::KeyDown, 65);
    host.MouseEvent(c_BBGameEvent::MouseDown, 0, 1, 2);
    host.UpdateGame();
    host.RenderGame();
    host.SuspendGame();
    host.ResumeGame();
    EXPECT_TRUE(delegate.log.empty());

    host.StartGame();
    host.StartGame();
    host.ResumeGame();  // not suspended
    host.SuspendGame();
    host.SuspendGame();
    host.UpdateGame();  // suspended: nothing
    host.RenderGame();  // still renders
    host.KeyEvent(c_BBGameEvent::KeyDown, 65);
    host.ResumeGame();
    host.UpdateGame();
    std::vector<std::string> expected = {"start", "suspend", "render", "key 1 65", "resume", "update"};
    EXPECT_EQ(delegate.log, expected);
}

TEST_F(HostLoop, QuitDuringEventsDropsTheRestOfTheBatchAndRunsNoUpdate) {
    Start(60);
    delegate.onKey = [] { bbError(String()); };
    host.events.push_back([] { BBGlfwGame::OnKey(nullptr, GLFW_KEY_Q, 0, GLFW_PRESS, 0); });
    host.events.push_back([] { BBGlfwGame::OnKey(nullptr, GLFW_KEY_W, 0, GLFW_PRESS, 0); });
    try {
        host.RunFrame();
        FAIL() << "the quit did not reach the frame loop";
    } catch (const bbRuntimeError& error) {
        EXPECT_TRUE(error.message.empty());
    }
    EXPECT_EQ(delegate.Count("key 1 81"), 1);
    EXPECT_EQ(delegate.Count("key 1 87"), 0);
    EXPECT_EQ(delegate.Count("update"), 0);
    EXPECT_FALSE(host.PendingError());
}

struct ThrowingDelegate : BBGameDelegate {
    void UpdateGame() override { throw bbThrowable(); }
};

TEST(HostDeathTest, ApplicationErrorEscapingADelegateCallIsFatal) {
    TestHost host;
    ThrowingDelegate delegate;
    host.SetDelegate(&delegate);
    host.StartGame();
    std::string path = CapturePath("uncaught");
    EXPECT_EXIT((RedirectStdout(path), host.UpdateGame()), ::testing::ExitedWithCode(255), "");
    EXPECT_EQ(ReadCapture(path), "Tarvik Runtime Error : Uncaught Tarvik Exception\n");
}

TEST(HostDeathTest, RuntimeErrorsEndTheProcessByTheirMessage) {
    std::string path = CapturePath("runtime");
    EXPECT_EXIT((RedirectStdout(path), bbExitOnRuntimeError({u"Image frame outside surface"})),
                ::testing::ExitedWithCode(255), "");
    EXPECT_EQ(ReadCapture(path), "Tarvik Runtime Error : Image frame outside surface\n\n");
    EXPECT_EXIT((RedirectStdout(path), bbExitOnRuntimeError({String()})), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadCapture(path), "");
}

TEST(HostDeathTest, FatalSignalsBecomeRuntimeErrors) {
    struct Case {
        int signal;
        const char* line;
    } cases[] = {
        {SIGSEGV, "Tarvik Runtime Error : Memory access violation\n\n"},
        {SIGILL, "Tarvik Runtime Error : Illegal instruction\n\n"},
        {SIGFPE, "Tarvik Runtime Error : Floating point exception\n\n"},
    };
    for (const Case& c : cases) {
        std::string path = CapturePath("signal");
        EXPECT_EXIT((RedirectStdout(path), bbInstallSignalHandlers(), std::raise(c.signal)),
                    ::testing::ExitedWithCode(255), "");
        EXPECT_EQ(ReadCapture(path), c.line);
    }
}

}  // namespace
