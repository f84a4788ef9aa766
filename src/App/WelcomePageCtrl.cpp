#include "App/WelcomePageCtrl.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "App/AppDefaults.h"
#include "App/AppDelegate.h"
#include "App/VortaWindowController.h"
#include "App/switchVC.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/Fonts.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/NamedImage.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/View.h"
#include "Platform/AppKit/Window.h"

namespace {

const char* const kTitles[] = {"Welcome", "Presets", "KeyFeatures", "Editor", "Bulk Crop"};
constexpr int kPageCount = 5;
constexpr QSize kImageSize(400, 260);

QLabel* makeLabel(int pixelSize, bool bold) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setFont(appkit::systemFont(pixelSize, bold ? QFont::Bold : QFont::Normal));
    return label;
}

}  // namespace

WelcomePageCtrl::WelcomePageCtrl()
    : arrImageNames{"Welcome", "Presets", "KeyFeatures", "Advanced", "Name"},
      arrStrDescription{
          "Preloaded presets helps you to crop photos quickly, you can add custom presets too.",
          "Add photos and apply multiple presets at a time to get bulk photos resizing.",
          "Able to rename photo name, also add suffix or prefix text to photo name.",
          "Photo Editor helps you to give more tools for adding effects to photos.",
          "Set a cropping frame and easily apply that cropping frame to all photos at a time.",
      } {}

void WelcomePageCtrl::loadView() {
    auto* root = new appkit::View;
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(40, 24, 40, 24);
    column->setSpacing(14);

    imgView = new QLabel;
    imgView->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    imgView->setMinimumSize(kImageSize / 3);
    imgView->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    imgView->installEventFilter(this);
    lblTitle = makeLabel(26, true);
    myLabel = makeLabel(15, false);
    // Room for the longest description on two lines.
    myLabel->setFixedWidth(460);
    myLabel->setMinimumHeight(myLabel->fontMetrics().lineSpacing() * 2 + 6);
    // The picture and its texts stand together in the middle; the picture grows up to its own size.
    imgView->setMaximumHeight(kImageSize.height());
    column->addStretch(1);
    column->addWidget(imgView, 4);
    column->addWidget(lblTitle);
    column->addWidget(myLabel, 0, Qt::AlignHCenter);
    column->addStretch(1);
    column->addSpacing(8);

    auto* row = new QHBoxLayout;
    btnPrev = new controls::PushButton(QStringLiteral("Previous"));
    btnNext = new controls::PushButton(QStringLiteral("Next"));
    btnDone = new controls::PushButton(QStringLiteral("Done"), controls::PushButton::Role::Primary);
    appkit::View::setTagOf(btnPrev, 1);
    appkit::View::setTagOf(btnNext, 2);
    for (auto* b : {btnPrev.data(), btnNext.data(), btnDone.data()}) b->setMinimumWidth(96);
    // Keeps the row steady when Previous or Next hides.
    for (auto* b : {btnPrev.data(), btnNext.data()}) {
        QSizePolicy policy = b->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        b->setSizePolicy(policy);
    }
    connect(btnPrev, &controls::PushButton::clicked, this, [this] { onNextPrev(*btnPrev); });
    connect(btnNext, &controls::PushButton::clicked, this, [this] { onNextPrev(*btnNext); });
    connect(btnDone, &controls::PushButton::clicked, this, [this] { onDone(); });
    row->addWidget(btnPrev);
    row->addStretch(1);
    for (int page = 0; page < kPageCount; ++page) {
        auto* dot = new controls::PushButton(QString(), controls::PushButton::Role::Dot);
        dot->setCheckable(true);
        dot->setToolTip(QString::fromLatin1(kTitles[page]));
        dot->setAccessibleName(
            QStringLiteral("Page %1: %2").arg(page + 1).arg(QString::fromLatin1(kTitles[page])));
        appkit::View::setTagOf(dot, page);
        connect(dot, &controls::PushButton::clicked, this, [this, dot] { changePage(*dot); });
        dots_.emplace_back(dot);
        row->addWidget(dot);
    }
    row->addStretch(1);
    row->addWidget(btnNext);
    row->addWidget(btnDone);
    column->addLayout(row);
    setView(root);
}

void WelcomePageCtrl::viewDidLoad() {
    checkFirstShow();
    showPage(0);
}

void WelcomePageCtrl::checkFirstShow() {
    if (tryCheckFirstShow()) return;
    appkit::retryOnMain(this, [this] { return tryCheckFirstShow(); });
}

bool WelcomePageCtrl::tryCheckFirstShow() {
    appkit::Window* w = window();
    if (!w) return false;
    if (appSettings().integer(appkeys::isShowFirst) == 1) w->setWindowTitle(QString());
    return true;
}

void WelcomePageCtrl::showPage(int tag) {
    // Only pages that exist can be shown; a stray tag would leave a blank page with both buttons.
    const int t = std::clamp(tag, 0, static_cast<int>(arrImageNames.size()) - 1);
    image_ = appkit::imageNamed(arrImageNames[t]);
    intPosNow = t;
    const QString title = t < kPageCount ? QString::fromLatin1(kTitles[t]) : QString();
    const QString description = t < static_cast<int>(arrStrDescription.size())
                                    ? QString::fromStdString(arrStrDescription[t])
                                    : QString();
    showImage();
    if (lblTitle) lblTitle->setText(title);
    if (myLabel) myLabel->setText(description);
    if (btnPrev) appkit::animator(*btnPrev).setHidden(t == 0);
    if (btnNext) appkit::animator(*btnNext).setHidden(t == static_cast<int>(arrImageNames.size()) - 1);
    for (std::size_t i = 0; i < dots_.size(); ++i)
        if (dots_[i]) dots_[i]->setChecked(static_cast<int>(i) == t);
}

void WelcomePageCtrl::showImage() {
    if (!imgView) return;
    if (image_.isNull()) {
        imgView->clear();
        return;
    }
    const qreal ratio = imgView->devicePixelRatioF();
    const QSize room = imgView->size().boundedTo(kImageSize);
    QPixmap pixmap =
        QPixmap::fromImage(image_.scaled(room * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    imgView->setPixmap(pixmap);
}

bool WelcomePageCtrl::eventFilter(QObject* watched, QEvent* event) {
    // The picture takes the room the page leaves it, up to its designed size.
    // The type first: a picture being destroyed must not be taken for the label it was.
    if (event->type() == QEvent::Resize && watched == imgView) showImage();
    return appkit::ViewController::eventFilter(watched, event);
}

void WelcomePageCtrl::stepPage(int tag) {
    int p = intPosNow;
    if (tag == 1) p = std::max(p - 1, 0);
    if (tag == 2) p = std::min(p + 1, static_cast<int>(arrImageNames.size()) - 1);
    showPage(p);
}

void WelcomePageCtrl::changePage(const QWidget& sender) {
    showPage(appkit::View::tagOf(&sender));
}

void WelcomePageCtrl::onNextPrev(const QWidget& sender) {
    stepPage(appkit::View::tagOf(&sender));
}

void WelcomePageCtrl::onDone() {
    foundation::UserDefaults& settings = appSettings();
    settings.set(appkeys::isShowFirst, foundation::PlistValue(std::int64_t{1}));
    settings.synchronize();
    if (presentingViewController()) {
        dismiss();
        return;
    }
    appkit::Window* w = window();
    if (auto* container = dynamic_cast<switchVC*>(parent())) {
        if (w) {
            if (auto* controller = dynamic_cast<VortaWindowController*>(w->windowController())) {
                if (controller->segBtn) appkit::animator(*controller->segBtn).setHidden(false);
                if (controller->btnAdd) appkit::animator(*controller->btnAdd).setHidden(false);
            }
            w->setStandardButtonHidden(appkit::Window::StandardButton::Zoom, false);
        }
        container->performSegue(ids::SlideLeft_Tabbar);
        return;
    }
    if (w) w->hide();
}
