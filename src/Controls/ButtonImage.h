#pragma once
// ButtonImage: a picture a button shows, with the template flag (a template image is drawn as a
// mask in the title's colour). Buttons hold it shared, so "the same image" is the same object.
// Main thread only.

#include <QImage>
#include <memory>

namespace controls {

struct ButtonImage {
    QImage pixels;
    bool isTemplate = false;

    static std::shared_ptr<ButtonImage> make(QImage pixels, bool isTemplate = false) {
        return std::make_shared<ButtonImage>(ButtonImage{std::move(pixels), isTemplate});
    }
};

}  // namespace controls
