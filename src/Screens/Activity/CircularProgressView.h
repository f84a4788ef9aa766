#pragma once
// CircularProgressView: the progress ring of the activity screen, a layer-backed view holding a
// static track ring and the bars added to it; the first bar is the job's progress. Bars are centred
// where the view's middle was when they were added. Main thread only.

#include <memory>
#include <vector>

#include "Platform/AppKit/View.h"
#include "Screens/Activity/CircularBarLayer.h"

class CircularProgressView : public appkit::View {
    Q_OBJECT
  public:
    explicit CircularProgressView(QWidget* parent = nullptr);

    const std::vector<std::shared_ptr<CircularBarLayer>>& bars() const { return bars_; }
    const std::vector<std::shared_ptr<CircularBarLayer>>& circleBars() const { return circleBars_; }
    bool isLineCap = false;

    void addBar(cg::Color color, double startAngle, double endAngle, double progress, double radius,
                double lineWidth, double duration, float shadowOpacity, double shadowRadius);
    // A full ring under the bars; not one of `bars`.
    void addTrackBar(cg::Color color, double startAngle, double endAngle, double radius, double lineWidth);
    // The bar at `index`, or nullptr when there is none there.
    CircularBarLayer* barAt(std::size_t index) const;
    std::vector<std::shared_ptr<CircularBarLayer>> allBars() const { return bars_; }

    auto begin() const { return bars_.begin(); }
    auto end() const { return bars_.end(); }

  private:
    std::shared_ptr<CircularBarLayer> makeBar(cg::Color color, double startAngle, double endAngle,
                                              double radius, double lineWidth);

    std::vector<std::shared_ptr<CircularBarLayer>> bars_;
    std::vector<std::shared_ptr<CircularBarLayer>> circleBars_;
};
