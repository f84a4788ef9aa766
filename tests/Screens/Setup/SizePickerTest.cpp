// The size picker on its own: the rules of its fields and rows, and its list mode, where saved sizes
// are ticked and handed over together with the custom size.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "Core/Records/DefaultPresets.h"
#include "Core/Records/SharedLists.h"
#include "Extensions/AppGlobals.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/StoryboardSegue.h"
#include "Platform/Foundation/Formatters.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Screens/Setup/AdvancedOptionsModel.h"
#include "Screens/Setup/DefaultPresetsPickerVC.h"
#include "Screens/Setup/PickerSegueSender.h"
#include "Screens/Setup/SizePickerRows.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"

namespace {

using foundation::PlistValue;

TEST(SizePickerRules, FieldsRowsAndCustomSizes) {
    struct Typed {
        std::string text;
        bool stands;
    };
    for (const Typed& t : std::initializer_list<Typed>{{"", true},
                                                       {"0", true},
                                                       {"1920", true},
                                                       {"+12", true},
                                                       {"-0", true},
                                                       {"-000", true},
                                                       {"9223372036854775807", true},
                                                       {"9223372036854775808", false},
                                                       {"-3", false},
                                                       {"12a", false},
                                                       {" 1", false},
                                                       {"1.5", false},
                                                       {"-", false}})
        EXPECT_EQ(setup::isPartialIntegerValid(t.text), t.stands) << '"' << t.text << '"';

    struct Custom {
        double slider, width, height;
        std::optional<double> percent;  // absent: no custom size at all
        std::string name;
    };
    for (const Custom& c : std::initializer_list<Custom>{{49.5, 0, 0, 50, "50 %"},
                                                         {49.4, 0, 0, 49, "49 %"},
                                                         {0.4, 0, 0, std::nullopt, ""},
                                                         {0, 1280, 0, 0, "1280 x Auto"},
                                                         {0, 0, 720, 0, "Auto x 720"},
                                                         {0, 3840, 2160, 0, "3840 x 2160"}}) {
        SCOPED_TRACE(c.name);
        const auto size = setup::makeCustomSize(c.slider, c.width, c.height, true, 1);
        ASSERT_EQ(size.has_value(), c.percent.has_value());
        if (!size) continue;
        EXPECT_EQ(*size, (core::PresetInfo{{"presetWidth", c.width},
                                           {"presetHeight", c.height},
                                           {"presetPercent", *c.percent},
                                           {"autoSaliency", true},
                                           {"imageCrop", true},
                                           {"presetName", c.name}}));
    }

    core::PresetInfo wide{{"presetName", "UHD"},
                          {"presetWidth", 3840.0},
                          {"presetHeight", 2160.0},
                          {"imageCrop", true},
                          {"autoSaliency", true}};
    EXPECT_EQ(setup::savedSizeDetail(wide), "Size: 3840 X 2160, Crop, With Magic Crop");
    core::PresetInfo blank{{"presetName", "  "},
                           {"presetWidth", 1920.0},
                           {"presetHeight", -1.0},
                           {"presetPercent", -1.0},
                           {"imageCrop", true}};
    EXPECT_EQ(setup::savedSizeForPick(blank, false, "  "), (core::PresetInfo{{"presetWidth", 1920.0},
                                                                             {"presetHeight", PlistValue()},
                                                                             {"presetPercent", PlistValue()},
                                                                             {"autoSaliency", false},
                                                                             {"presetName", "1920 x Auto"}}));

    auto presets = core::defaultPresets();
    presets[0]["defaultSize"] = 1;
    presets[1]["defaultSize"] = 0;
    const auto rows = setup::pickerRows(presets);
    ASSERT_EQ(rows.size(), 4 + presets.size() - 1) << "a default-size preset is never listed";
    EXPECT_EQ(rows[0].headerCaption, "CUSTOM SIZE");
    EXPECT_EQ(rows[3].headerCaption, "SIZE LIST");
    EXPECT_EQ(rows[4].presetObj, presets[1]);
    EXPECT_EQ(setup::pickerRows({}).size(), 4u);
}

// A container that slides the picker in as the Advanced tab's does, and keeps what it is handed.
class ListHolder : public appkit::ViewController, public DefaultPresetsPickerDelegate {
  public:
    ListHolder() {
        setIdentifier(ids::scene::AdvancedHolderVC);
        addChild(std::make_shared<appkit::ViewController>());
    }
    PickerMode pickerMode() const override { return PickerMode::List; }
    void didPickPresets(const std::vector<core::PresetInfo>& picked, const std::any&) override {
        received.push_back(picked);
    }
    void prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) override {
        auto* picker = dynamic_cast<DefaultPresetsPickerVC*>(segue.destinationController());
        if (const auto* s = std::any_cast<setup::PickerSegueSender>(&sender); s && picker)
            setup::configurePicker(*picker, *s);
    }
    std::vector<std::vector<core::PresetInfo>> received;

  protected:
    void loadView() override {
        ViewController::loadView();
        view()->resize(560, 700);
        children().front()->view()->setParent(view());
    }
};

class SizePickerListTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        foundation::setDefaultLocale("en_US");
        core::sharedPresetList().replaceAll(core::defaultPresets());
        appkit::Storyboard::main().registerController(ids::scene::DefaultPresetsPickerVC, [this] {
            return std::make_shared<DefaultPresetsPickerVC>(settings);
        });
        holder = std::make_shared<ListHolder>();
        holder->view()->show();
    }
    void TearDown() override {
        holder.reset();
        UiTest::TearDown();
        appkit::Storyboard::main().registerController(ids::scene::DefaultPresetsPickerVC, [] {
            return std::make_shared<DefaultPresetsPickerVC>(userDefaults());
        });
    }
    DefaultPresetsPickerVC* picker() { return holder->firstChild<DefaultPresetsPickerVC>(); }
    QWidget* savedRow(const std::string& name) {
        appkit::TableView& table = *picker()->tableView;
        for (int row = 4; row < table.numberOfRows(); ++row) {
            table.scrollRowToVisible(row);
            drain();
            if (table.viewAtRow(row)->findChild<QLabel*>()->text().toStdString() == name)
                return table.viewAtRow(row);
        }
        return nullptr;
    }
    void click(QWidget* w) {
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton);
        drain();
    }

    testsupport::TempDir dir;
    foundation::UserDefaults settings{dir / "settings.json"};
    std::shared_ptr<ListHolder> holder;
};

TEST_F(SizePickerListTest, TickedSizesFollowTheCustomSizeAndTheControlsStayInStep) {
    const core::PresetInfo w1280 = *core::sharedPresetList().at(1);
    const core::PresetInfo hd = *core::sharedPresetList().at(2);
    holder->performSegue(ids::SlideLeft_SizePicker,
                         setup::PickerSegueSender{holder.get(), std::nullopt, {w1280}});
    drain();
    ASSERT_NE(picker(), nullptr);
    DefaultPresetsPickerVC& p = *picker();

    // Selecting a row applies nothing in list mode; the check boxes do the choosing.
    click(savedRow("SD"));
    ASSERT_EQ(picker(), &p);
    auto* w1280Box = savedRow("W-1280")->findChild<controls::CheckBox*>();
    ASSERT_FALSE(w1280Box->isHidden());
    EXPECT_TRUE(w1280Box->isChecked()) << "a size already in use shows ticked";
    click(w1280Box);
    click(savedRow("HD")->findChild<controls::CheckBox*>());

    // The percentage, typed or slid, empties the sides; a typed side clears the percentage.
    QTest::keyClicks(p.txtPercent, "75 %");
    drain();
    EXPECT_DOUBLE_EQ(settings.doubleValue("UD_Percentage"), 75);
    EXPECT_DOUBLE_EQ(p.sliderValue(), 75);
    EXPECT_EQ(p.lblPercent->text(), "75 %");
    p.txtPercent->clear();
    QTest::keyClicks(p.txtPercent, "abc");
    EXPECT_DOUBLE_EQ(settings.doubleValue("UD_Percentage"), 75) << "letters store nothing";
    QTest::keyClicks(p.txtWidth, "64x0");
    drain();
    EXPECT_EQ(p.txtWidth->text(), "640") << "the field refuses what is no whole number";
    EXPECT_DOUBLE_EQ(p.sliderValue(), 0);
    EXPECT_EQ(p.lblPercent->text(), "0 %");
    EXPECT_DOUBLE_EQ(settings.doubleValue("UD_Percentage"), 0);
    // One percent control: the slider and the field beside it, which reads "Off" when none is set.
    int visibleFields = 0;
    for (auto* field : p.percentView->findChildren<QLineEdit*>())
        visibleFields += field->isVisibleTo(p.percentView);
    EXPECT_EQ(visibleFields, 1);
    EXPECT_FALSE(p.lblPercent->isVisibleTo(p.percentView)) << "no second reading of the same value";
    EXPECT_TRUE(p.txtPercent->text().isEmpty());
    EXPECT_EQ(p.txtPercent->placeholderText(), "Off");
    p.sliderPercent->setValue(p.sliderPercent->maximum() / 4);
    EXPECT_EQ(p.txtPercent->text(), "25 %") << "the field follows the slider";
    p.sliderPercent->setValue(0);
    EXPECT_TRUE(p.txtPercent->text().isEmpty());
    QTest::keyClicks(p.txtWidth, "640");
    drain();

    click(p.btnDone);
    EXPECT_EQ(picker(), nullptr) << "Done slides back and the picker leaves";
    ASSERT_EQ(holder->received.size(), 1u);
    const auto& picked = holder->received.front();
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(core::presetName(picked[0]), "640 x Auto");
    EXPECT_EQ(picked[1], hd) << "the unticked size is gone, the ticked one follows the custom size";
}

}  // namespace

namespace {

TEST(AdvancedTabRules, LayoutRowsSizesAndTheJobsFormat) {
    struct Width {
        double width;
        bool first, wide, compact;
    };
    for (const Width& w : std::initializer_list<Width>{{604, true, true, false},
                                                       {604, false, false, false},
                                                       {500, true, false, false},
                                                       {500, false, false, true},
                                                       {400, true, false, true},
                                                       {601, false, false, false},
                                                       {600, false, false, true}}) {
        const auto layout = setup::advancedWidthLayout(w.width, w.first);
        EXPECT_EQ(layout.wide, w.wide) << w.width << (w.first ? " first" : " later");
        EXPECT_EQ(layout.compact, w.compact) << w.width << (w.first ? " first" : " later");
    }
    using Rows = setup::OptionRows;
    EXPECT_EQ(setup::rowsForSegment(0), (Rows{true, true, true, true}));
    EXPECT_EQ(setup::rowsForSegment(1), (Rows{false, true, false, false}));
    EXPECT_EQ(setup::rowsForSegment(2), (Rows{false, false, false, true}));
    EXPECT_EQ(setup::rowsForSegment(-1), Rows{});
    EXPECT_EQ(setup::rowsForSegment(3), Rows{});
    EXPECT_EQ(setup::sizeListHeight(0), 105);
    EXPECT_EQ(setup::sizeListHeight(2), 185);

    const core::PresetInfo a{{"presetName", "A"}}, b{{"presetName", "B"}}, c{{"presetName", "C"}};
    EXPECT_EQ(setup::mergePickedSizes({a, b}, {c, b}), (std::vector<core::PresetInfo>{b, c}))
        << "an unticked size leaves, kept ones keep their places, new ones follow";
    EXPECT_EQ(setup::mergePickedSizes({a}, {a, a}), (std::vector<core::PresetInfo>{a}));
    EXPECT_EQ(setup::jobOutputFormat(".png"), "png");
    EXPECT_EQ(setup::jobOutputFormat("Default"), "Default");
    EXPECT_EQ(setup::placeholderPreset(), (core::PresetInfo{{"markDummy", true}}));
}

}  // namespace
