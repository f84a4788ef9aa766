#pragma once
// CheckBox: a drawn check box, a push-on/push-off button showing an empty or a ticked square (in the
// accent colour) before its title. It redraws its square when the desktop turns light or dark.
// Main thread only.

#include <QString>

#include "Controls/Button.h"

namespace controls {

class CheckBox : public Button {
    Q_OBJECT
  public:
    explicit CheckBox(const QString& title, QWidget* parent = nullptr);
    bool isChecked() const { return state() == StateValue::On; }
    // Sets the state without sending the action.
    void setChecked(bool checked);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void interfaceStyleDidChange() override;

  private:
    void showState();
};

}  // namespace controls
