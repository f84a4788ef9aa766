#pragma once
// WelcomePageCtrl: the five welcome pages of the first run, each an image, a title and a
// description, with previous and next buttons, a dot per page and Done. Done remembers that the
// pages were seen ("isShowFirst" = 1) and hands the window to the tab switcher. Main thread only.

#include <QLabel>
#include <QPointer>
#include <string>
#include <vector>
#include "Controls/PushButton.h"

#include "Platform/AppKit/ViewController.h"

class WelcomePageCtrl : public appkit::ViewController {
    Q_OBJECT
  public:
    WelcomePageCtrl();

    QPointer<QLabel> myLabel;
    QPointer<QLabel> lblTitle;
    QPointer<QLabel> imgView;
    int intPosNow = 0;
    QPointer<controls::PushButton> btnNext;  // tag 2
    QPointer<controls::PushButton> btnPrev;  // tag 1
    QPointer<controls::PushButton> btnDone;
    const std::vector<std::string> arrImageNames;
    const std::vector<std::string> arrStrDescription;

    // Actions: the sender's tag picks the page (changePage), or the direction (1 back, 2 on).
    void changePage(const QWidget& sender);
    void onNextPrev(const QWidget& sender);
    void onDone();

    virtual void checkFirstShow();
    // Shows the page of the tag, kept within the pages.
    virtual void showPage(int tag);
    virtual void stepPage(int tag);

    // The image shown for the page, as the bundle has it (null when it has none).
    const QImage& pageImage() const { return image_; }

  protected:
    void loadView() override;
    void viewDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool tryCheckFirstShow();
    void showImage();

    QImage image_;
    std::vector<QPointer<controls::PushButton>> dots_;
};
