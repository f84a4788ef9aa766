#pragma once
// FormatSelectionView: the row of output-format buttons with a selection background that slides
// under the chosen one. The chosen button's title is the output format ("Default" keeps the
// source's format, ".png" and the like name one); it is handed to the parent when the parent keeps
// an output format (OutputFormatHolder), to nobody otherwise. The first button is chosen when the
// row loads. Main thread only.

#include <QPointer>
#include <string>
#include <vector>

#include "Controls/PushButton.h"
#include "Platform/AppKit/ViewController.h"

// A screen that keeps the output format its embedded format row chose.
class OutputFormatHolder {
  public:
    virtual ~OutputFormatHolder() = default;
    std::string strOutputFormat = "Default";
};

class FormatSelectionView : public appkit::ViewController {
    Q_OBJECT
  public:
    FormatSelectionView();

    // The titles of the buttons, in order; the first has tag 1.
    static const std::vector<std::string>& formatTitles();

    QPointer<appkit::View> formatSelectedBG;
    QPointer<appkit::View> formatBtnContainer;
    QPointer<controls::PushButton> selectedBtn;
    int formatIconIndex = 1;
    bool bAppeared = false;

    // The button of the container with this tag, or nullptr.
    controls::Button* buttonWithTag(int tag) const;
    void onSelectFormatBtn(QObject* sender);
    virtual void selectFormatButton(QObject* sender);

  protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
