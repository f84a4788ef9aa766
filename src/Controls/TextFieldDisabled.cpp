#include "Controls/TextFieldDisabled.h"

namespace controls {

TextFieldDisabled::TextFieldDisabled(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFrame(false);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

}  // namespace controls
