#pragma once
// ViewScrollAuto: a container that lines its subviews up in a row or a column (hidden ones take no
// room) and takes the length they need, when one of its switches is set; one switch shuffles all
// subviews but the first before lining them up in a row. Main thread only.

#include <functional>
#include <random>

#include "Platform/AppKit/View.h"

namespace controls {

class ViewScrollAuto : public appkit::View {
    Q_OBJECT
  public:
    explicit ViewScrollAuto(QWidget* parent = nullptr);
    bool isFlipped() const override { return true; }

    bool doAuto() const { return doAuto_; }
    void setDoAuto(bool value);
    bool autoRandom() const { return autoRandom_; }
    void setAutoRandom(bool value);
    bool doAutoHeight() const { return doAutoHeight_; }
    void setDoAutoHeight(bool value);

    void arrangeHorizontally();
    void arrangeVertically();
    void shuffleSubviews();

    // The random source of the shuffle (the system's by default); tests give a seeded one.
    void setRandomEngine(std::mt19937_64 engine) { random_ = std::move(engine); }

  private:
    bool doAuto_ = true;
    bool autoRandom_ = true;
    bool doAutoHeight_ = true;
    std::mt19937_64 random_;
};

}  // namespace controls
