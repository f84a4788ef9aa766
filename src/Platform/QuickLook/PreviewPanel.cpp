#include "Platform/QuickLook/PreviewPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVariantAnimation>
#include <filesystem>

#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/DropShadow.h"
#include "Platform/AppKit/ImageConversion.h"
#include "Platform/Dispatch/Queue.h"
#include "Platform/Image/Thumbnail.h"
#include "Platform/QuickLook/PreviewButton.h"

namespace quicklook {
namespace {

PreviewPanel* gShared = nullptr;

constexpr int kHeaderHeight = 44;
constexpr int kFooterHeight = 48;
constexpr int kMargin = 24;
// Room for the position ("12 of 345") between the previous and next buttons.
constexpr int kPositionWidth = 110;
constexpr double kZoomSeconds = 0.25;

}  // namespace

PreviewPanel& PreviewPanel::shared() {
    if (!gShared) gShared = new PreviewPanel;
    return *gShared;
}

bool PreviewPanel::exists() {
    return gShared != nullptr;
}

PreviewPanel::PreviewPanel()
    : QWidget(nullptr, Qt::Window),
      close_(new PreviewButton(PreviewButton::Glyph::Close, QStringLiteral("Close"), this)),
      previous_(new PreviewButton(PreviewButton::Glyph::Previous, QStringLiteral("Previous"), this)),
      next_(new PreviewButton(PreviewButton::Glyph::Next, QStringLiteral("Next"), this)) {
    setWindowTitle(QStringLiteral("Preview"));
    close_->setToolTip(QStringLiteral("Close (Esc)"));
    previous_->setToolTip(QStringLiteral("Previous (←)"));
    next_->setToolTip(QStringLiteral("Next (→)"));
    connect(close_, &QAbstractButton::clicked, this, [this] { orderOut(); });
    connect(previous_, &QAbstractButton::clicked, this, [this] { selectPreviousItem(); });
    connect(next_, &QAbstractButton::clicked, this, [this] { selectNextItem(); });
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    resize(900, 640);
    QObject::connect(this, &QObject::destroyed, [] { gShared = nullptr; });
}

void PreviewPanel::makeKeyAndOrderFront(PreviewPanelController* controller) {
    if (controller_ != controller) {
        if (controller_) controller_->endPreviewPanelControl(*this);
        controller_ = controller;
        if (controller_) controller_->beginPreviewPanelControl(*this);
    }
    // The panel opens over most of the screen the pointer is on, centred.
    if (!isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            const QSize size(area.width() * 4 / 5, area.height() * 4 / 5);
            setGeometry(QRect(area.center() - QPoint(size.width() / 2, size.height() / 2), size));
        }
        show();
    }
    raise();
    activateWindow();
    setFocus();
    reloadData();
}

void PreviewPanel::orderOut() {
    ++generation_;
    hide();
    if (PreviewPanelController* leaving = controller_) {
        controller_ = nullptr;
        leaving->endPreviewPanelControl(*this);
    }
    image_ = {};
    currentPath_.clear();
    count_ = 0;
    current_ = 0;
}

void PreviewPanel::forget(const PreviewPanelController* controller, const PreviewPanelDataSource* source) {
    if (controller_ != controller && dataSource_ != source) return;
    controller_ = nullptr;
    dataSource_ = nullptr;
    delegate_ = nullptr;
    orderOut();
}

void PreviewPanel::closeEvent(QCloseEvent* event) {
    event->ignore();
    orderOut();
}

void PreviewPanel::reloadData() {
    count_ = dataSource_ ? std::max(0, dataSource_->numberOfPreviewItems(*this)) : 0;
    setCurrentPreviewItemIndex(std::clamp(current_, 0, std::max(0, count_ - 1)));
}

void PreviewPanel::setCurrentPreviewItemIndex(int index) {
    current_ = std::max(0, index);
    refreshCurrentPreviewItem();
}

void PreviewPanel::selectNextItem() {
    if (current_ + 1 < count_) setCurrentPreviewItemIndex(current_ + 1);
}

void PreviewPanel::selectPreviousItem() {
    if (current_ > 0) setCurrentPreviewItemIndex(current_ - 1);
}

void PreviewPanel::refreshCurrentPreviewItem() {
    const unsigned generation = ++generation_;
    const auto item =
        dataSource_ && current_ < count_ ? dataSource_->previewItemAt(*this, current_) : std::nullopt;
    currentPath_ = item.value_or("");
    image_ = {};
    zoomOrigin_ = delegate_ ? delegate_->sourceFrameOnScreen(*this, current_) : cg::Rect();
    setWindowTitle(QString::fromStdString(std::filesystem::path(currentPath_).filename().string()));
    previous_->setEnabled(current_ > 0);
    next_->setEnabled(current_ + 1 < count_);
    previous_->setVisible(count_ > 1);
    next_->setVisible(count_ > 1);
    loading_ = !currentPath_.empty();
    update();
    if (!loading_) return;
    // Decoded off the main thread, no larger than the window can show.
    QPointer<PreviewPanel> self(this);
    dispatch::Queue::global().async([self, generation, path = currentPath_] {
        const auto reduced = image::thumbnail(path, {kPreviewSide, kPreviewSide});
        QImage picture = reduced ? appkit::toQImage(*reduced) : QImage();
        dispatch::Queue::main().async([self, generation, path, picture = std::move(picture)] {
            if (self) self->showImage(generation, path, picture);
        });
    });
}

void PreviewPanel::showImage(unsigned generation, const std::string& path, const QImage& image) {
    if (generation != generation_ || path != currentPath_) return;
    image_ = image;
    loading_ = false;
    zoom_ = 0;
    const double seconds = kZoomSeconds * appkit::AnimationClock::durationScale();
    if (seconds <= 0 || zoomOrigin_.width() <= 0) {
        zoom_ = 1;
        update();
        return;
    }
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(static_cast<int>(seconds * 1000));
    connect(animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        zoom_ = v.toDouble();
        update();
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void PreviewPanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            selectNextItem();
            return;
        case Qt::Key_Left:
        case Qt::Key_Up:
            selectPreviousItem();
            return;
        case Qt::Key_Escape:
        case Qt::Key_Space:
            orderOut();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

QAbstractButton* PreviewPanel::closeButton() const {
    return close_;
}

QAbstractButton* PreviewPanel::previousButton() const {
    return previous_;
}

QAbstractButton* PreviewPanel::nextButton() const {
    return next_;
}

void PreviewPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void PreviewPanel::layoutControls() {
    const QSize button = close_->sizeHint();
    close_->setGeometry(
        QRect(QPoint(width() - 10 - button.width(), (kHeaderHeight - button.height()) / 2), button));
    const int footerY = height() - kFooterHeight + (kFooterHeight - button.height()) / 2;
    const int middle = width() / 2;
    previous_->setGeometry(QRect(QPoint(middle - kPositionWidth / 2 - button.width(), footerY), button));
    next_->setGeometry(QRect(QPoint(middle + kPositionWidth / 2, footerY), button));
}

void PreviewPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    castShadows();
}

void PreviewPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // The shadows watch the panel and stop drawing once it hides; they go with it.
    for (auto& shadow : shadows_)
        if (shadow) shadow->deleteLater();
    shadows_.clear();
}

void PreviewPanel::castShadows() {
    // Over the application's windows the panel casts a shadow, so its edge shows over a window of
    // its own dark colour.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == this || !top->isVisible() || top->windowType() != Qt::Window) continue;
        shadows_.emplace_back(new appkit::DropShadow(top, this));
    }
}

void PreviewPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), QColor(24, 24, 26));
    const QRect area = rect().adjusted(kMargin, kHeaderHeight, -kMargin, -kFooterHeight);
    if (!image_.isNull()) {
        QSize fitted = image_.size().scaled(area.size(), Qt::KeepAspectRatio);
        // Never enlarged beyond the reduced copy's own size.
        if (fitted.width() > image_.width()) fitted = image_.size();
        QRectF target(
            QPointF(area.center().x() - fitted.width() / 2.0, area.center().y() - fitted.height() / 2.0),
            QSizeF(fitted));
        if (zoom_ < 1 && zoomOrigin_.width() > 0) {
            const QPointF topLeft = mapFromGlobal(
                QPoint(static_cast<int>(zoomOrigin_.origin.x), static_cast<int>(zoomOrigin_.origin.y)));
            const QRectF from(topLeft, QSizeF(zoomOrigin_.width(), zoomOrigin_.height()));
            target = QRectF(from.topLeft() + (target.topLeft() - from.topLeft()) * zoom_,
                            from.size() + (target.size() - from.size()) * zoom_);
        }
        painter.drawImage(target, image_);
    } else {
        painter.setPen(QColor(200, 200, 205));
        painter.drawText(area, Qt::AlignCenter,
                         loading_ ? QStringLiteral("Loading…") : QStringLiteral("No preview"));
    }
    // The name heads the window; the position sits between the previous and next buttons.
    painter.setPen(QColor(225, 225, 230));
    const QString name = QString::fromStdString(std::filesystem::path(currentPath_).filename().string());
    const int titleInset = width() - close_->geometry().left() + 8;
    const QRect header(titleInset, 0, width() - 2 * titleInset, kHeaderHeight);
    painter.drawText(header, Qt::AlignCenter,
                     painter.fontMetrics().elidedText(name, Qt::ElideMiddle, header.width()));
    if (count_ > 0) {
        painter.setPen(QColor(170, 170, 178));
        const QRect position(width() / 2 - kPositionWidth / 2, height() - kFooterHeight, kPositionWidth,
                             kFooterHeight);
        painter.drawText(position, Qt::AlignCenter, QStringLiteral("%1 of %2").arg(current_ + 1).arg(count_));
    }
    // A light line just inside the border keeps the edge visible over a dark window.
    painter.setPen(QColor(255, 255, 255, 46));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quicklook
