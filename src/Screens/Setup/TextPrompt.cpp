#include "Screens/Setup/TextPrompt.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "Controls/PushButton.h"
#include "Platform/AppKit/SheetDimmer.h"
#include "Platform/AppKit/WindowEdge.h"
#include "Screens/Setup/SetupControls.h"

namespace setup {

TextPrompt::TextPrompt(QWidget* host, appkit::TextRequest request)
    : QDialog(host), request_(std::move(request)) {
    const QString title = QString::fromStdString(request_.title);
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 18, 20, 16);
    column->setSpacing(10);
    column->addWidget(makeCaption(title, 14, true));
    field_ = makeTextField(title);
    field_->setText(QString::fromStdString(request_.text));
    field_->selectAll();
    field_->setMinimumWidth(300);
    column->addWidget(field_);
    note_ = makeCaption(QString(), 12, false, true);
    note_->setWordWrap(true);
    column->addWidget(note_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* cancel = new controls::PushButton("Cancel");
    confirm_ = new controls::PushButton(QString::fromStdString(request_.confirm),
                                        controls::PushButton::Role::Primary);
    buttons->addWidget(cancel);
    buttons->addWidget(confirm_);
    column->addLayout(buttons);

    connect(field_, &QLineEdit::textChanged, this, [this] { check(); });
    connect(cancel, &controls::PushButton::clicked, this, &QDialog::reject);
    connect(confirm_, &controls::PushButton::clicked, this, [this] { attempt(); });
    check();
    field_->setFocus();
}

void TextPrompt::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        attempt();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

QString TextPrompt::answer() const {
    return field_->text().trimmed();
}

void TextPrompt::check() {
    const QString text = answer();
    const std::string problem =
        text.isEmpty() || !request_.problem ? std::string() : request_.problem(text.toStdString());
    note_->setText(QString::fromStdString(problem));
    note_->setVisible(!problem.empty());
    confirm_->setEnabled(!text.isEmpty() && problem.empty());
}

void TextPrompt::attempt() {
    if (!confirm_->isEnabled()) return;
    const std::string failure = request_.take ? request_.take(answer().toStdString()) : std::string();
    if (failure.empty()) {
        accept();
        return;
    }
    note_->setText(QString::fromStdString(failure));
    note_->show();
}

void askText(QWidget* host, appkit::TextRequest request) {
    auto* prompt = new TextPrompt(host, std::move(request));
    constexpr int radius = appkit::WindowEdge::kSheetRadius;
    new appkit::WindowEdge(prompt, radius);
    if (host) {
        // Dropped from the top of the host, centred, as a sheet comes out of its window's title.
        prompt->adjustSize();
        const QWidget* over = host->window();
        const QPoint origin = over->mapToGlobal(QPoint(0, 0));
        prompt->move(origin.x() + (over->width() - prompt->width()) / 2, origin.y() + 8);
        new appkit::SheetDimmer(host->window(), prompt, radius);
    }
    prompt->open();
}

}  // namespace setup
