// The preview panel of the activity screen: showing, hiding and skipping it, and the steps that show
// the image being worked on and fly its result into place.

#include <cmath>
#include <iostream>
#include "Controls/PushButton.h"

#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/Image/ImageGeometry.h"
#include "Screens/Activity/ActivityImageView.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CircularProgressView.h"
#include "Screens/Activity/CollectionVC.h"

QWidget* ActivityVC::ringBox() const {
    return circularViewProgressView ? circularViewProgressView->parentWidget() : nullptr;
}

void ActivityVC::setRingBoxX(double x, bool animated) {
    QWidget* box = ringBox();
    if (!box) return;
    cg::Rect frame = appkit::View::frameOf(box);
    frame.origin.x = x;
    if (animated)
        appkit::animator(*box).setFrame(frame);
    else
        appkit::View::setFrameOf(box, frame);
}

void ActivityVC::showPreviewPanel() {
    loadViewIfNeeded();
    engine_->setSkipPreview(false);
    pacer_->resume();
    setRingBoxX(appkit::View::frameOf(imgLoadingView).width(), false);
    processingPlaced_ = false;
    cnstimgProcessHolderWidth->setConstant(320.0);
    imgLoadingView->setImage(std::nullopt);
    imgProcessingView->setImage(std::nullopt);
    imgLoadingView->show();
    imgProcessingView->show();
    if (QWidget* bar = btnSkipPreview->parentWidget()) bar->show();
}

void ActivityVC::hidePreviewPanel() {
    engine_->setSkipPreview(true);
    pacer_->skip();
    setRingBoxX(appkit::View::frameOf(imgLoadingView).width(), false);
    cnstimgProcessHolderWidth->setConstant(0.0);
    setRingBoxX(0.0, false);
    imgLoadingView->hide();
    imgProcessingView->hide();
    if (QWidget* bar = btnSkipPreview->parentWidget()) bar->hide();
}

void ActivityVC::skipPreview() {
    // The worker's pause ends now, and the job shows no more previews.
    engine_->setSkipPreview(true);
    pacer_->skip();
    setRingBoxX(appkit::View::frameOf(imgLoadingView).width(), false);
    if (QWidget* box = ringBox()) box->show();
    appkit::animator(*cnstimgProcessHolderWidth).setConstant(0.0);
    setRingBoxX(0.0, true);
    imgLoadingView->hide();
    imgProcessingView->hide();
    if (QWidget* bar = btnSkipPreview->parentWidget()) bar->hide();
}

std::optional<image::Image> ActivityVC::sizePreviewImage(const std::optional<image::Image>& image) const {
    if (!image) return std::nullopt;
    const cg::Size pixels = image::pixelSize(*image);
    const double w = pixels.width, h = pixels.height;
    // An image without area (or with one side of zero pixels) is shown as it is.
    if (w <= 0 || h <= 0) return image;
    const cg::Rect box = appkit::View::frameOf(imgLoadingView);
    const double m = std::max(box.width(), box.height());
    cg::Size target;
    if (h <= w)
        target = {m, m * (1 - (w - h) / w)};
    else
        target = {(1 - (h - w) / h) * m, m};
    const double s = std::max(target.width / w, target.height / h);
    const cg::Size size{std::floor(w * s), std::floor(h * s)};
    if (size.width < 1 || size.height < 1) return image;
    return image::resized(*image, size).value_or(*image);
}

void ActivityVC::showLoadingImage(const image::Image& image, const cg::Rect& rect) {
    cnstImgLoadingHeight->setConstant(0.0);
    imgLoadingView->setImage(image);
    appkit::animator(*cnstImgLoadingHeight).setConstant(190.0);
    rectFrameToShowAfter = rect;
}

void ActivityVC::animatePreviewFrame(bool visible, const cg::Rect& rect) {
    if (rectFrameToShowAfter) {
        cnstImgLoadingHeight->setConstant(190.0);
        imgProcessingView->setHidden(!visible);
        return;
    }
    appkit::View::setFrameOf(frameView, appkit::View::frameOf(imgLoadingView));
    frameView->setHidden(!visible);
    imgProcessingView->setHidden(!visible);
    appkit::View::setFrameOf(imgProcessingView, rect);
    processingPlaced_ = true;
    bgView->setAlphaValue(0.0);
    appkit::animator(*frameView).setFrame(rect);
    appkit::animator(*bgView).setAlphaValue(0.4);
}

void ActivityVC::animateProcessedImageToFrame(const image::Image& image, const cg::Rect& frame) {
    removeFirstItem(!bSkipPreview());
    if (bSkipPreview()) return;
    const cg::Rect loading = appkit::View::frameOf(imgLoadingView);
    const double sw = image.width(), sh = image.height();
    const cg::Rect target(loading.minX() + (loading.width() - sw) * 0.5 + frame.minX(),
                          loading.minY() + sh * 0.5 + frame.minY(), frame.width(), frame.height());
    appkit::postToMain(this, [this, image, target] { showLoadingImage(image, target); });
    std::cout << " step 3 applying the frame rect to position----------" << std::endl;
}

void ActivityVC::showLoadingPreview(const image::Image& image, bool saliencyWanted) {
    if (saliencyWanted) {
        imgLoadingView->setImage(std::nullopt);
        return;
    }
    cnstImgLoadingHeight->setConstant(0.0);
    imgLoadingView->setImage(image);
    appkit::animator(*cnstImgLoadingHeight).setConstant(190.0);
}

void ActivityVC::showTargetFrame(const cg::Rect& frame, bool show) {
    rectFrameToShowAfter = frame;
    animatePreviewFrame(show, frame);
}

void ActivityVC::previewPlaceholderImage(const image::Image& image) {
    imgProcessingView->setImage(std::nullopt);
    imgLoadingView->setImage(image);
}

void ActivityVC::previewWorkingImage(const image::Image& image) {
    const auto sized = sizePreviewImage(image);
    const auto frame = rectFrameToShowAfter;
    rectFrameToShowAfter.reset();
    imgProcessingView->setImage(sized);
    if (frame) animatePreviewFrame(true, *frame);
    if (sized) appkit::postToMainAfter(this, 1.25, [this, shown = *sized] { endWorkingImagePreview(shown); });
}

void ActivityVC::endWorkingImagePreview(const image::Image& image) {
    frameView->hide();
    imgProcessingView->setImage(std::nullopt);
    bgView->setAlphaValue(0.0);
    imgLoadingView->setImage(image);
    std::cout << "Image OUtput step 4----------" << std::endl;
}

void ActivityVC::previewEffectImage(const image::Image& image) {
    imgLoadingView->setImage(sizePreviewImage(image));
}

cg::Rect ActivityVC::previewRectangle() const {
    return imgLoadingView ? appkit::View::frameOf(imgLoadingView) : cg::Rect();
}
