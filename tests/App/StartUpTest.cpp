#include <gtest/gtest.h>

#include <QTest>

#include "App/AppDefaults.h"
#include "App/VortaWindowController.h"
#include "Core/Records/PresetInfo.h"
#include "Core/Records/PresetStore.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/Window.h"
#include "ShellFixture.h"

using foundation::PlistValue;

namespace {

class StartUpTest : public testsupport::ShellTest {};

std::vector<std::string> presetNames() {
    std::vector<std::string> names;
    for (const auto& preset : core::sharedPresetList().snapshot()) names.push_back(core::presetName(preset));
    return names;
}

core::PresetInfo preset(const std::string& name, std::int64_t width) {
    return core::PresetInfo{{"presetName", PlistValue(name)},
                            {"presetWidth", PlistValue(double(width))},
                            {"presetHeight", PlistValue(-1.0)},
                            {"presetPercent", PlistValue(-1.0)},
                            {"countUsage", PlistValue(std::int64_t{0})}};
}

TEST_F(StartUpTest, FirstStartShowsTheWelcomePagesAndDoneLeadsToTheTabsForEveryLaterStart) {
    start();
    EXPECT_EQ(presetNames(),
              (std::vector<std::string>{"Half", "W-1280", "HD", "H-1280", "Full HD", "4K", "SD"}));
    ASSERT_NE(welcome(), nullptr) << "empty settings: the welcome pages come first";
    EXPECT_EQ(tabBar(), nullptr);
    EXPECT_EQ(app->delegate().tabBarVC, nullptr);
    EXPECT_TRUE(window().isVisible()) << "the window shows although no tab switcher registered";
    auto* controller = app->mainWindowController();
    EXPECT_FALSE(controller->segBtn->isVisible());
    EXPECT_FALSE(controller->btnAdd->isVisible());
    EXPECT_TRUE(window().isStandardButtonHidden(appkit::Window::StandardButton::Zoom));
    EXPECT_EQ(welcome()->lblTitle->text(), "Welcome");

    QTest::mouseClick(welcome()->btnDone, Qt::LeftButton);
    drain();
    EXPECT_EQ(storedSettings()->integer(appkeys::isShowFirst), 1) << "Done is on disk at once";
    ASSERT_NE(tabBar(), nullptr);
    EXPECT_EQ(welcome(), nullptr);
    EXPECT_EQ(root().children().size(), 1u);
    EXPECT_EQ(app->delegate().tabBarVC, tabBar());
    EXPECT_TRUE(controller->segBtn->isVisible());
    EXPECT_TRUE(controller->btnAdd->isVisible());
    EXPECT_FALSE(window().isStandardButtonHidden(appkit::Window::StandardButton::Zoom));

    start();
    EXPECT_EQ(welcome(), nullptr) << "a later start skips the welcome pages";
    ASSERT_NE(tabBar(), nullptr);
    EXPECT_EQ(app->delegate().tabBarVC, tabBar());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(app->mainWindowController()->segBtn->isVisible());
    EXPECT_TRUE(app->mainWindowController()->btnAdd->isVisible());
    // The zoom button comes back once the tab switcher sits in the window.
    mainQueue->advance(0.1);
    drain();
    EXPECT_FALSE(window().isStandardButtonHidden(appkit::Window::StandardButton::Zoom));
}

TEST_F(StartUpTest, OutputFolderAndPortraitOptionAreForgottenAtEveryStartWhileOtherSettingsSurvive) {
    prepareSettings([](foundation::UserDefaults& s) {
        s.set("UD_SavingLocationData", PlistValue(foundation::Data{1, 2, 3}));
        s.set("UD_Allow_Portrait_Resize", PlistValue(true));
        s.set("isShowFirst", PlistValue(std::int64_t{1}));
        s.set("UDTotalPhotos", PlistValue(std::int64_t{12}));
        s.set("UDTargetFolder", PlistValue("/home/me/Pictures/Vorta | 1"));
        s.set("Reviewd", PlistValue(true));
    });
    start();
    EXPECT_FALSE(defaults->object("UD_SavingLocationData"));
    EXPECT_FALSE(defaults->boolean("UD_Allow_Portrait_Resize")) << "the registered false holds";
    EXPECT_EQ(defaults->integer("isShowFirst"), 1);
    quit();

    const auto stored = storedSettings();
    EXPECT_FALSE(stored->object("UD_SavingLocationData"));
    EXPECT_FALSE(stored->object("UD_Allow_Portrait_Resize"));
    EXPECT_EQ(stored->integer("isShowFirst"), 1);
    EXPECT_EQ(stored->integer("UDTotalPhotos"), 12);
    EXPECT_EQ(stored->string("UDTargetFolder"), "/home/me/Pictures/Vorta | 1");
    EXPECT_TRUE(stored->boolean("Reviewd"));
}

TEST_F(StartUpTest, OneBrokenSavedPresetLeavesTheOthersInPlace) {
    prepareSettings([](foundation::UserDefaults& s) {
        s.set(core::kSavedPresetsKey, PlistValue(foundation::PlistArray{
                                          PlistValue(preset("Web", 1200)), PlistValue("not a preset"),
                                          PlistValue(std::int64_t{42}), PlistValue(preset("Mail", 800))}));
    });
    start();
    EXPECT_EQ(presetNames(), (std::vector<std::string>{"Web", "Mail"}));
    quit();
    start();
    EXPECT_EQ(presetNames(), (std::vector<std::string>{"Web", "Mail"}));
}

TEST_F(StartUpTest, PresetsChangedWhileRunningAreBackAfterRestart) {
    prepareSettings([](foundation::UserDefaults& s) {
        s.set(core::kSavedPresetsKey, PlistValue(foundation::PlistArray{PlistValue(preset("Web", 1200))}));
    });
    start();
    core::sharedPresetList().modify([](std::vector<core::PresetInfo>& list) {
        list[0]["presetName"] = PlistValue("Web large");
        list[0]["countUsage"] = PlistValue(std::int64_t{3});
        list.push_back(preset("Thumb", 200));
    });
    quit();
    core::sharedPresetList().removeAll();
    start();
    const auto presets = core::sharedPresetList().snapshot();
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(core::presetName(presets[0]), "Web large");
    EXPECT_EQ(presets[0].at("countUsage").toInt(), 3);
    EXPECT_EQ(core::presetName(presets[1]), "Thumb");

    // Deleting every preset is a choice the next start keeps.
    core::sharedPresetList().removeAll();
    quit();
    start();
    EXPECT_TRUE(core::sharedPresetList().snapshot().empty());
    quit();
    start();
    EXPECT_TRUE(core::sharedPresetList().snapshot().empty());
}

TEST_F(StartUpTest, UnreadableSettingsAreKeptAsideAndTheAppStartsAsOnItsFirstRun) {
    dir.write("settings.json", "{\"isShowFirst\": 1, \"UD_SavedPresets_1\": [");
    start();
    EXPECT_NE(welcome(), nullptr);
    EXPECT_EQ(presetNames().size(), 7u);
    EXPECT_EQ(testsupport::TempDir::read(dir / "settings.json.corrupt"),
              "{\"isShowFirst\": 1, \"UD_SavedPresets_1\": [");
}

TEST_F(StartUpTest, ASettingsFileThatCannotBeOpenedIsKeptAsideOrElseNeverWrittenOverAndTheUserIsTold) {
    const std::string saved =
        "{\"isShowFirst\": 1, \"UD_SavedPresets_1\": [{\"presetName\": \"Mine\", \"presetWidth\": 640}]}";
    // As for a user who may not read the file (a root test process reads every file): opening it is
    // refused.
    foundation::SettingsFileAccess refusing = foundation::SettingsFileAccess::system();
    refusing.read = [real = refusing.read, file = settingsFile()](const std::filesystem::path& path,
                                                                  std::error_code& error) {
        if (path != file) return real(path, error);
        error = std::make_error_code(std::errc::permission_denied);
        return std::optional<std::string>();
    };
    for (const bool movable : {true, false}) {
        SCOPED_TRACE(movable ? "kept aside" : "it cannot be moved either");
        quit();
        dir.write("settings.json", saved);
        auto access = refusing;
        if (!movable) access.keepAside = [](const std::filesystem::path&) { return std::nullopt; };
        defaults = std::make_unique<foundation::UserDefaults>(settingsFile(), access);
        app = std::make_unique<Application>(*defaults);
        app->finishLaunching();
        drain();
        EXPECT_EQ(presetNames().size(), 7u) << "the app starts from its defaults";
        const auto told = questions();
        if (movable) {
            EXPECT_TRUE(told.empty());
        } else {
            ASSERT_EQ(told.size(), 1u) << "the user is told the settings will not be saved";
            EXPECT_EQ(told[0]->text(), "Your settings could not be read");
            EXPECT_NE(told[0]->informativeText().indexOf("no settings are saved"), -1);
            QTest::mouseClick(told[0]->buttons().front(), Qt::LeftButton);
            drain();
        }
        // Done on the welcome pages is saved at once, and quitting saves the presets.
        ASSERT_NE(welcome(), nullptr);
        QTest::mouseClick(welcome()->btnDone, Qt::LeftButton);
        drain();
        quit();
        auto aside = settingsFile();
        aside += ".corrupt";
        if (movable) {
            EXPECT_EQ(testsupport::TempDir::read(aside), saved) << "the file is kept as it was";
            EXPECT_EQ(core::loadPresetList(*storedSettings()).size(), 7u);
            EXPECT_EQ(storedSettings()->integer(appkeys::isShowFirst), 1);
        } else {
            EXPECT_FALSE(std::filesystem::exists(aside));
            EXPECT_EQ(testsupport::TempDir::read(settingsFile()), saved) << "the file was written over";
        }
        std::filesystem::remove(aside);
    }
}

TEST_F(StartUpTest, WindowFrameComesBackFromPosition) {
    prepareSettings([](foundation::UserDefaults& s) { s.set("isShowFirst", PlistValue(std::int64_t{1})); });
    start();
    window().setFrame(cg::Rect(140, 90, 870, 610));
    drain();
    quit();
    start();
    const cg::Rect frame = window().frame();
    EXPECT_EQ(frame.origin.x, 140);
    EXPECT_EQ(frame.origin.y, 90);
    EXPECT_EQ(frame.size.width, 870);
    EXPECT_EQ(frame.size.height, 610);
}

}  // namespace
