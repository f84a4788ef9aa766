#pragma once
// TokenField: a token field (each token is one U+FFFC in the edited text) that sends its action on
// every click, even one that only moves the caret, and can say where the caret stands among its
// tokens. Main thread only.

#include <QLineEdit>
#include <functional>
#include <optional>
#include <utility>

namespace controls {

class TokenField : public QLineEdit {
    Q_OBJECT
  public:
    static constexpr char16_t tokenCharacter = u'\uFFFC';

    explicit TokenField(QWidget* parent = nullptr) : QLineEdit(parent) {}

    void setAction(std::function<void(TokenField&)> action) { action_ = std::move(action); }
    void performClick() {
        if (action_) action_(*this);
    }
    // Kept for the scene builder; the field reacts to no entering or leaving.
    virtual void awakeFromNib() {}

    // Tokens before the start of the selection; absent while the field is not being edited.
    std::optional<int> tokenCountBeforeCaret() const;
    // The selection's start when something is selected (0 otherwise), and whether something is.
    std::pair<int, bool> selectionInfo() const;

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool isEditing() const { return hasFocus(); }
    std::function<void(TokenField&)> action_;
};

}  // namespace controls
