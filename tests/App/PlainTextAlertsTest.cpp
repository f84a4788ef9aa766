// Names that come from the user or the disk (a preset's name, a folder's) are shown as typed in
// every alert and question, their informative texts included, never read as markup.

#include <QLabel>

#include "AdvancedTabFixture.h"
#include "App/AppDelegate.h"
#include "Core/Records/DefaultPresets.h"
#include "Platform/AppKit/Menu.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetView.h"
#include "Support/UiEvents.h"

namespace {

namespace fs = std::filesystem;

const QString kPreset = QStringLiteral("<b>Bold</b>");
const QString kFolder = QStringLiteral("<i>x</i>");

class PlainTextAlertsTest : public testsupport::AdvancedTabTest {
  protected:
    // Past the welcome pages, on the Presets tab, with a preset of a name that looks like markup first.
    void startWithMarkupPreset() {
        prepareSettings([](foundation::UserDefaults& s) {
            s.set(appkeys::isShowFirst, foundation::PlistValue(1));
            std::vector<core::PresetInfo> presets = core::defaultPresets();
            presets.front()["presetName"] = foundation::PlistValue(kPreset.toStdString());
            core::savePresetList(s, presets);
        });
        start();
        mainQueue->advance(0.5);
        drain();
    }
    PresetCell* firstPresetCell() {
        auto* list = tabBar()->firstChild<PresetListForIOS>();
        return list ? dynamic_cast<PresetCell*>(list->collectionView->itemAtIndex(0)) : nullptr;
    }
    // Drops two photos on the first preset's card.
    void dropOnFirstPreset() {
        PresetCell* cell = firstPresetCell();
        ASSERT_NE(cell, nullptr);
        ASSERT_EQ(cell->nameField->text(), kPreset);
        fs::create_directories(dir / "out");
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(dir / "out").string()}});
        ASSERT_TRUE(testsupport::dropFiles(cell->presetView, photos(2, 900, 600)).dropAccepted);
    }
    QString shownText(QMessageBox* box) {
        QString all;
        for (QLabel* label : box->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) all += label->text();
        return all;
    }
};

TEST_F(PlainTextAlertsTest, APresetOrFolderNamedLikeMarkupShowsAsTypedInEveryAlertAndQuestion) {
    struct Case {
        const char* what;
        std::function<void()> ask;  // brings up the one alert or question, naming `typed`
        QString typed;
    };
    const std::vector<Case> cases{
        {"the settings alert, for a settings file in a folder named like markup",
         [&] {
             // As for a user who may not read the file, and whose file cannot be put aside either.
             const fs::path file = dir.write(kFolder.toStdString() + "/settings.json", "{}");
             foundation::SettingsFileAccess access = foundation::SettingsFileAccess::system();
             access.read = [real = access.read, file](const fs::path& path, std::error_code& error) {
                 if (path != file) return real(path, error);
                 error = std::make_error_code(std::errc::permission_denied);
                 return std::optional<std::string>();
             };
             access.keepAside = [](const fs::path&) { return std::nullopt; };
             defaults = std::make_unique<foundation::UserDefaults>(file, access);
             app = std::make_unique<Application>(*defaults);
             app->finishLaunching();
             drain();
         },
         kFolder},
        {"the quit question, told of the preset chosen from the menu while it is up",
         [&] {
             startWithMarkupPreset();
             // A job on the Advanced tab: the presets menu stays open to the user meanwhile.
             app->mainWindowController()->segBtn->setSelectedSegment(1);
             tabBar()->selectTab(1);
             drain();
             mainQueue->advance(0.5);
             drain();
             addToList(photos(2, 1200, 800));
             chooseSizes({"SD"});
             fs::create_directories(dir / "out");
             appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(dir / "out").string()}});
             workerHold.emplace();
             proceed();
             ASSERT_TRUE(mainQueue->runUntil([&] { return jobRuns(); }, std::chrono::seconds(30)));
             app->delegate().terminate();
             drain();
             ASSERT_EQ(questions().size(), 1u);
             ASSERT_TRUE(questions().front()->informativeText().isEmpty()) << "named only once chosen";
             auto* menu = qobject_cast<appkit::Menu*>(app->delegate().menuItem_AddImageToPreset->menu());
             ASSERT_NE(menu, nullptr);
             ASSERT_EQ(menu->items().front()->text(), kPreset);
             menu->items().front()->trigger();
             drain();
         },
         kPreset},
        {"the question of a tab switch, naming the preset run on the images still being found",
         [&] {
             startWithMarkupPreset();
             dropOnFirstPreset();
             // Asked while the files are still collected: nothing has run on the main queue since the drop.
             app->mainWindowController()->segBtn->setSelectedSegment(1);
             tabBar()->selectTab(1);
             drain();
             ASSERT_EQ(questions().size(), 1u);
             ASSERT_TRUE(mainQueue->runUntil(
                 [&] {
                     return questions().size() == 1 &&
                            questions().front()->informativeText().contains("preset");
                 },
                 std::chrono::seconds(30)));
         },
         kPreset},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.ask();
        const auto shown = questions();
        ASSERT_EQ(shown.size(), 1u);
        QMessageBox* box = shown.front();
        EXPECT_TRUE(shownText(box).contains(c.typed)) << shownText(box).toStdString();
        for (QLabel* label : box->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (label->text().isEmpty()) continue;
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
        }
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        workerHold.reset();
        quit();
    }
}

}  // namespace
