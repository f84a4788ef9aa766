#pragma once
// TextPrompt: asks the user for a line of text (a new folder's name) over a panel, drawn with the
// shared controls: the question, a text field holding the suggestion (selected, so typing replaces
// it), a line saying why the text cannot be taken, Cancel and the confirm button. It is a small sheet
// at the top of its host, with the sheets' rounded edge and the shadow they cast on the dimmed host.
// Return takes the text, Escape cancels; it is window-modal to its host and closes itself once the
// text is taken.
// Main thread only; owned by its host (Qt parent) and deleted when closed.

#include <QDialog>

#include "Platform/AppKit/TextRequest.h"

class QLabel;

namespace controls {
class PushButton;
class TextField;
}  // namespace controls

namespace setup {

class TextPrompt : public QDialog {
    Q_OBJECT
  public:
    TextPrompt(QWidget* host, appkit::TextRequest request);

    controls::TextField* field() const { return field_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString answer() const;
    void check();
    void attempt();

    appkit::TextRequest request_;
    controls::TextField* field_ = nullptr;
    QLabel* note_ = nullptr;
    controls::PushButton* confirm_ = nullptr;
};

// The asker the panels take: shows a TextPrompt over `host` and returns at once.
void askText(QWidget* host, appkit::TextRequest request);

}  // namespace setup
