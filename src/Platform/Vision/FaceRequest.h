#pragma once
// Finds frontal faces with the local-binary-pattern cascade that OpenCV's data package installs, each
// confirmed by one of its Haar cascades (a fraction of the cost of a Haar scan). Every face found counts
// as a face with landmarks (no landmark model is available). Of two overlapping detections the one
// more windows agreed on is kept. Stateless apart from its cascade path; perform() may run on any thread:
// the face cascade is read for each request, the confirming cascade once per thread and kept for its life.

#include <optional>
#include <string>
#include <vector>

#include "Platform/Vision/ImageRequestHandler.h"
#include "Platform/Vision/Observations.h"

namespace vision {

struct FaceRequestResult {
    std::vector<FaceObservation> results;
    std::optional<std::string> error;  // set when the request could not run; results are then empty
};

class FaceRequest {
  public:
    static constexpr const char* cascadeFileName = "lbpcascade_frontalface.xml";

    // Looks the cascade up in OpenCV's data folders.
    FaceRequest();
    // Uses exactly this cascade file.
    explicit FaceRequest(std::string cascadePath) : cascadePath_(std::move(cascadePath)) {}

    // The cascade file in OpenCV's data folders, or none when it is not installed.
    static std::optional<std::string> defaultCascadePath();

    FaceRequestResult perform(const ImageRequestHandler& handler) const;

  private:
    std::string cascadePath_;  // empty: not found
};

}  // namespace vision
