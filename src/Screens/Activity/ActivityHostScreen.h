#pragma once
// ActivityHostScreen: implemented by the screens that hold an activity container (the preset list's
// side panel and the Advanced, Rename and Bulk tab holders), so that the activity screen can hand
// control back to them without knowing their classes. Main thread only.

class ActivityVC;

class ActivityHostScreen {
  public:
    enum class Kind {
        TabHolder,   // the container slides back to the screen's first child and is removed
        PresetList,  // the results are cleared and the side panel closes; the container stays
    };

    virtual ~ActivityHostScreen() = default;
    virtual Kind activityHostKind() const = 0;
    // The preset list remembers the activity screen its panel shows.
    virtual void setEmbeddedActivityVC(ActivityVC*) {}
    virtual void hideActivityPanel() {}
    // The screen draws its own close mark over the activity screen's corner (the preset list's
    // panel): the activity screen's own marks then stay hidden, out of reach of pointer and keyboard.
    virtual bool coversCloseMark() const { return false; }
};
