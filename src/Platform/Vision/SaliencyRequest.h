#pragma once
// The two saliency analyses. Attention-based: where the eye goes first (one box around the strongest
// region of a spectral-residual map). Objectness-based: the distinct prominent objects (a box per strong
// region of a fine-grained centre-surround map, at most `maxObjects`). Stateless; perform() may run on
// any thread.

#include <optional>

#include "Platform/Vision/ImageRequestHandler.h"
#include "Platform/Vision/Observations.h"

namespace vision {

enum class SaliencyKind { attentionBased, objectnessBased };

class SaliencyRequest {
  public:
    static constexpr int maxObjects = 5;

    explicit SaliencyRequest(SaliencyKind kind) : kind_(kind) {}
    SaliencyKind kind() const { return kind_; }

    // None when the handler holds no image or the analysis fails; an observation without objects when
    // nothing in the image stands out.
    std::optional<SaliencyImageObservation> perform(const ImageRequestHandler& handler) const;

  private:
    SaliencyKind kind_;
};

}  // namespace vision
