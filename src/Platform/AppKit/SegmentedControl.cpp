#include "Platform/AppKit/SegmentedControl.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

namespace appkit {

SegmentedControl::SegmentedControl(const std::vector<QString>& labels, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    group_->setExclusive(false);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        auto* button = new QToolButton;
        button->setText(labels[i]);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        layout->addWidget(button);
        group_->addButton(button, static_cast<int>(i));
    }
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) {
        setSelectedSegment(id);
        if (action_) action_(*this);
    });
}

int SegmentedControl::segmentCount() const {
    return static_cast<int>(group_->buttons().size());
}

QString SegmentedControl::labelForSegment(int segment) const {
    auto* button = group_->button(segment);
    return button ? button->text() : QString();
}

void SegmentedControl::setSelectedSegment(int segment) {
    selected_ = segment >= 0 && segment < segmentCount() ? segment : -1;
    for (auto* button : group_->buttons()) button->setChecked(group_->id(button) == selected_);
}

}  // namespace appkit
