#pragma once
// PresetCell: one cell of the preset grid. Its subviews carry the tags the screen fills: the name
// field (2), size text (3), format badge (4), effect badge (5), option button (6), auto-enhance
// mark (7), tap area (8), saliency badge (12) and plain badge (13); the drop target lies under them
// in the cell's box. A new cell is made for every item, so nothing carries over. Main thread only.

#include <QLabel>
#include <QLineEdit>
#include "Controls/PushButton.h"

#include "Controls/Box.h"
#include "Platform/AppKit/CollectionViewItem.h"

class PresetView;

class PresetCell : public appkit::CollectionViewItem {
    Q_OBJECT
  public:
    PresetCell();

    controls::Box* box = nullptr;
    PresetView* presetView = nullptr;
    QLineEdit* nameField = nullptr;                // tag 2
    QLabel* sizeText = nullptr;                    // tag 3
    QLabel* formatBadge = nullptr;                 // tag 4
    QLabel* effectBadge = nullptr;                 // tag 5
    controls::PushButton* optionButton = nullptr;  // tag 6
    QLabel* enhanceMark = nullptr;                 // tag 7
    controls::PushButton* tapArea = nullptr;       // tag 8
    QLabel* saliencyBadge = nullptr;               // tag 12
    QLabel* originalBadge = nullptr;               // tag 13
    appkit::View* sizeBox = nullptr;               // the aspect box; its first two children are the bars
    appkit::View* widthBar = nullptr;
    appkit::View* heightBar = nullptr;

  protected:
    void loadView() override;
};
