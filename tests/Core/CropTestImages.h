#pragma once
// Images and helpers for the crop tests: coordinate-coded canvases (red = x mod 256, green = y mod 256),
// a noisy flat field with one bright disc, and a sender that records what the crop shows.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "Core/Crop/CropSender.h"
#include "Platform/Image/Bitmap.h"
#include "Platform/Image/Image.h"

namespace croptest {

// Each pixel tells where it came from: red = x mod 256, green = y mod 256, blue = 0.
image::Image coordinateCanvas(int width, int height);

// A flat grey field with noise, and one bright disc.
image::Image noisyFieldWithDisc(int width, int height, int cx, int cy, int radius);

// Writes the image as PNG; returns the path.
std::filesystem::path savedPng(const image::Image& image, const std::filesystem::path& path);

// A face box in the detector's convention for a face rectangle of the crop (x, lower edge y, w, h) on a
// W × H working image.
cg::Rect normalisedFace(const cg::Rect& faceRectangle, double W, double H);

class RecordingSender : public core::CropSender {
  public:
    explicit RecordingSender(bool skip = true) : skip_(skip) {}
    bool bSkipPreview() const override { return skip_; }
    void animateProcessedImageToFrame(const image::Image& image, const cg::Rect& frame) override {
        shownSizes.push_back(image.size());
        frames.push_back(frame);
    }
    void pause(double seconds) override { pauses.push_back(seconds); }

    std::vector<cg::Size> shownSizes;
    std::vector<cg::Rect> frames;
    std::vector<double> pauses;

  private:
    bool skip_;
};

}  // namespace croptest
