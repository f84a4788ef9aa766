#include <gtest/gtest.h>

#include <QTest>
#include <QUrl>

#include "App/ActivityHookup.h"
#include "App/AppDefaults.h"
#include "Platform/AppKit/Workspace.h"
#include "Platform/UserNotifications/UserNotificationCenter.h"
#include "Screens/Activity/ActivityHooks.h"
#include "ShellFixture.h"
#include "Support/PrivateSessionBus.h"
#include "Support/RecordingWorkspace.h"

using usernotifications::UserNotification;

namespace {

constexpr char kFolder[] = "/home/me/Pictures/Vorta | 07-12-2026 #2 100%";

class NotificationShowTest : public testsupport::ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        auto recorder = std::make_unique<testsupport::RecordingWorkspace>();
        workspace = recorder.get();
        appkit::Workspace::shared().setBackend(std::move(recorder));
        prepareSettings([](foundation::UserDefaults& s) {
            s.set(appkeys::UDTargetFolder, foundation::PlistValue(kFolder));
        });
        start();
    }
    void TearDown() override {
        appkit::Workspace::shared().setBackend(nullptr);
        ShellTest::TearDown();
    }
    static UserNotification jobDone() {
        UserNotification n;
        n.title = "Vorta";
        n.informativeText = "It's done.";
        n.hasActionButton = true;
        n.actionButtonTitle = "Show";
        return n;
    }
    std::string folderUrl() const {
        return QUrl::fromLocalFile(QString::fromUtf8(kFolder)).toString().toStdString();
    }
    testsupport::RecordingWorkspace* workspace = nullptr;
};

TEST_F(NotificationShowTest, ShowButtonOnTheDesktopNotificationOpensTheJobFolder) {
    testsupport::PrivateSessionBus bus;
    if (!bus.isRunning()) GTEST_SKIP() << "no dbus-daemon; the delegate is checked on its own below";
    testsupport::FakeNotificationService service(bus.connect("service"));
    ASSERT_TRUE(service.registered());
    usernotifications::UserNotificationCenter center(bus.connect("app"));
    center.setDelegate(&app->delegate());

    auto clickLatest = [&](const char* key) {
        const std::size_t before = service.shown.size();
        center.deliverNotification(jobDone());
        EXPECT_TRUE(QTest::qWaitFor([&] { return center.deliveredNotifications().size() == 1; }, 5000));
        EXPECT_EQ(service.shown.size(), before + 1);
        service.click(service.shown.back().id, key);
        EXPECT_TRUE(QTest::qWaitFor([&] { return center.deliveredNotifications().empty(); }, 5000));
    };
    clickLatest("default");
    EXPECT_TRUE(workspace->opened.empty()) << "a click on the notification's body opens nothing";
    clickLatest("show");
    ASSERT_EQ(workspace->opened.size(), 1u);
    EXPECT_EQ(workspace->opened[0], folderUrl()) << "the path is a file path, '#' and '%' included";

    defaults->removeObject(appkeys::UDTargetFolder);
    clickLatest("show");
    EXPECT_EQ(workspace->opened.size(), 1u) << "without a stored folder nothing opens";
}

TEST_F(NotificationShowTest, DelegateOpensTheFolderOnlyForTheActionButton) {
    usernotifications::UserNotificationCenter center(
        QDBusConnection::connectToBus("unix:path=/nonexistent", "none"));
    UserNotification n = jobDone();
    EXPECT_TRUE(app->delegate().shouldPresentNotification(center, n));
    n.activationType = UserNotification::ActivationType::ContentsClicked;
    app->delegate().didActivateNotification(center, n);
    EXPECT_TRUE(workspace->opened.empty());
    n.activationType = UserNotification::ActivationType::ActionButtonClicked;
    app->delegate().didActivateNotification(center, n);
    ASSERT_EQ(workspace->opened.size(), 1u);
    EXPECT_EQ(workspace->opened[0], folderUrl());

    // A notification of an earlier job opens that job's folder, not the one a later job stored.
    n.userInfo[std::string(appkeys::UDTargetFolder)] =
        foundation::PlistValue("/home/me/Pictures/earlier job");
    app->delegate().didActivateNotification(center, n);
    ASSERT_EQ(workspace->opened.size(), 2u);
    EXPECT_EQ(workspace->opened[1], "file:///home/me/Pictures/earlier job");
}

TEST_F(NotificationShowTest, TheEndOfAJobReachesTheDesktopAndShowOpensThatJobsFolder) {
    testsupport::PrivateSessionBus bus;
    if (!bus.isRunning()) GTEST_SKIP() << "no dbus-daemon";
    testsupport::FakeNotificationService service(bus.connect("service"));
    ASSERT_TRUE(service.registered());
    usernotifications::UserNotificationCenter center(bus.connect("app"));
    connectActivityHooks(app->delegate(), &center);

    auto& hooks = ActivityHooks::shared();
    ASSERT_TRUE(hooks.deliverNotification);
    hooks.deliverNotification(std::string("Vorta"), "It's done.", "Show");
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.shown.size() == 1; }, 5000));
    // The desktop plays its sound for a finished task.
    EXPECT_EQ(service.shown[0].hints.value("sound-name").toString(), "complete");
    // A later job stores another folder; the notice of this one still opens its own.
    defaults->set(appkeys::UDTargetFolder, foundation::PlistValue("/elsewhere"));
    service.click(service.shown.back().id, "show");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !workspace->opened.empty(); }, 5000));
    EXPECT_EQ(workspace->opened[0], folderUrl());

    EXPECT_FALSE(hooks.renameTabSelected());
    connectActivityHooks(app->delegate(), nullptr);
}

}  // namespace
