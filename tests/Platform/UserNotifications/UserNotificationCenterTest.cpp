#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "Platform/UserNotifications/UserNotificationCenter.h"
#include "Support/PrivateSessionBus.h"

using namespace usernotifications;
using Activation = UserNotification::ActivationType;

namespace {

class RecordingDelegate : public UserNotificationCenterDelegate {
  public:
    bool present = true;
    std::vector<UserNotification> activated;
    bool shouldPresentNotification(UserNotificationCenter&, const UserNotification&) override {
        return present;
    }
    void didActivateNotification(UserNotificationCenter&, const UserNotification& n) override {
        activated.push_back(n);
    }
};

UserNotification jobDone() {
    UserNotification n;
    n.title = "Vorta";
    n.informativeText = "It's done.";
    n.hasActionButton = true;
    n.actionButtonTitle = "Show";
    n.soundName = UserNotification::completionSoundName;
    return n;
}

class UserNotificationCenterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!bus.isRunning()) GTEST_SKIP() << "no dbus-daemon to start a private session bus";
    }
    testsupport::PrivateSessionBus bus;
};

TEST_F(UserNotificationCenterTest, ShowsTitleTextAndShowButtonAndReportsWhichPartWasClicked) {
    testsupport::FakeNotificationService service(bus.connect("service"));
    ASSERT_TRUE(service.registered());
    UserNotificationCenter center(bus.connect("app"));
    RecordingDelegate delegate;
    center.setDelegate(&delegate);

    center.deliverNotification(jobDone());
    ASSERT_TRUE(QTest::qWaitFor([&] { return center.deliveredNotifications().size() == 1; }, 5000));
    ASSERT_EQ(service.shown.size(), 1u);
    EXPECT_EQ(service.shown[0].summary, "Vorta");
    EXPECT_EQ(service.shown[0].body, "It's done.");
    EXPECT_EQ(service.shown[0].actions, (QStringList{"default", "", "show", "Show"}));
    EXPECT_EQ(service.shown[0].hints.value("sound-name").toString(), "complete");

    // Another application's notification on the same bus is none of ours.
    service.click(7, "show");
    const uint first = service.shown[0].id;
    service.click(first, "default");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delegate.activated.empty(); }, 5000));
    ASSERT_EQ(delegate.activated.size(), 1u);
    EXPECT_EQ(delegate.activated[0].activationType, Activation::ContentsClicked);
    EXPECT_EQ(delegate.activated[0].informativeText, "It's done.");
    EXPECT_TRUE(center.deliveredNotifications().empty());

    center.deliverNotification(jobDone());
    ASSERT_TRUE(QTest::qWaitFor([&] { return center.deliveredNotifications().size() == 1; }, 5000));
    service.click(service.shown[1].id, "show");
    ASSERT_TRUE(QTest::qWaitFor([&] { return delegate.activated.size() == 2; }, 5000));
    EXPECT_EQ(delegate.activated[1].activationType, Activation::ActionButtonClicked);
    EXPECT_EQ(delegate.activated[1].identifier, service.shown[1].id);
}

TEST_F(UserNotificationCenterTest, NotificationWithoutButtonOffersOnlyItsBodyAndCanBeWithdrawn) {
    testsupport::FakeNotificationService service(bus.connect("service"));
    ASSERT_TRUE(service.registered());
    UserNotificationCenter center(bus.connect("app"));
    UserNotification plain;
    plain.title = "Vorta";
    plain.subtitle = "3 photos";
    plain.informativeText = "It's done.";
    center.deliverNotification(plain);
    ASSERT_TRUE(QTest::qWaitFor([&] { return center.deliveredNotifications().size() == 1; }, 5000));
    EXPECT_EQ(service.shown[0].actions, (QStringList{"default", ""}));
    EXPECT_EQ(service.shown[0].body, "3 photos\nIt's done.");
    EXPECT_FALSE(service.shown[0].hints.contains("sound-name"));

    center.removeAllDeliveredNotifications();
    EXPECT_TRUE(center.deliveredNotifications().empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.closed.size() == 1; }, 5000));
    EXPECT_EQ(service.closed[0], service.shown[0].id);
}

TEST_F(UserNotificationCenterTest, DelegateCanKeepANotificationOffTheScreen) {
    testsupport::FakeNotificationService service(bus.connect("service"));
    UserNotificationCenter center(bus.connect("app"));
    RecordingDelegate delegate;
    delegate.present = false;
    center.setDelegate(&delegate);
    center.deliverNotification(jobDone());
    QTest::qWait(200);
    EXPECT_TRUE(service.shown.empty());
    EXPECT_TRUE(center.deliveredNotifications().empty());
}

TEST_F(UserNotificationCenterTest, WithoutServiceDeliveringDoesNothingAndSaysSoOnce) {
    UserNotificationCenter center(bus.connect("app"));
    RecordingDelegate delegate;
    center.setDelegate(&delegate);
    testing::internal::CaptureStderr();
    center.deliverNotification(jobDone());
    center.deliverNotification(jobDone());
    QTest::qWait(500);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("no notification service"), std::string::npos) << err;
    EXPECT_TRUE(center.deliveredNotifications().empty());
    EXPECT_TRUE(delegate.activated.empty());
}

TEST(UserNotificationCenterWithoutBus, DeliveringDoesNothingAndSaysSoOnce) {
    UserNotificationCenter center(QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "nowhere"));
    testing::internal::CaptureStderr();
    center.deliverNotification(jobDone());
    center.deliverNotification(jobDone());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_TRUE(center.deliveredNotifications().empty());
}

}  // namespace
