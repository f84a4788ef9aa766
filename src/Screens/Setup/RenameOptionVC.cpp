#include "Screens/Setup/RenameOptionVC.h"

#include <QLabel>
#include <QVBoxLayout>

#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Setup/PaneControls.h"
#include "Screens/Setup/RenameOptionTVC.h"
#include "Screens/Setup/RenamedNames.h"

void RenameOptionVC::loadView() {
    auto* root = new appkit::View;
    root->resize(340, 600);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    lblDemo = panes::captionLabel(QString());
    lblPreview = panes::captionLabel(QString());
    lblDemo->hide();
    lblPreview->hide();
    column->addWidget(lblDemo);
    column->addWidget(lblPreview);
    paneContainer_ = new appkit::View(root);
    column->addWidget(paneContainer_, 1);
    setView(root);
}

void RenameOptionVC::viewDidLoad() {
    lblDemo->setText(QString::fromStdString(screens::demoLabelWithFormat(
        RenameOptionTVC::kSampleStem, RenameOptionTVC::kSampleExtension, strOutputFormat)));
    lblPreview->setText(lblDemo->text());
    // The pane takes the caller and format before its load steps run again with them.
    if (auto* pane =
            dynamic_cast<RenameOptionTVC*>(embedScene(ids::scene::RenameOptionTVC, paneContainer_))) {
        pane->strOutputFormat = strOutputFormat;
        pane->vcCallFrom = vcCallFrom;
        pane->runLoadSteps();
    }
}

void RenameOptionVC::onDone() {
    // The pane inside hands its preview on; this container only reads it.
    if (auto* pane = firstChild<RenameOptionTVC>()) (void)pane->lblPreview->text();
}
