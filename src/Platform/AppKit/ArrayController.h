#pragma once
// ArrayController: holds a list of objects (its content, which may be absent) and the arranged
// list that a filter predicate lets through, recomputed by rearrangeObjects. Main thread only.

#include <any>
#include <optional>
#include <vector>

#include "Platform/AppKit/Predicate.h"

namespace appkit {

class ArrayController {
  public:
    std::optional<std::vector<std::any>>& content() { return content_; }
    const std::optional<std::vector<std::any>>& content() const { return content_; }
    void setContent(std::optional<std::vector<std::any>> content) {
        content_ = std::move(content);
        rearrangeObjects();
    }
    void setFilterPredicate(std::optional<Predicate> predicate) {
        filter_ = std::move(predicate);
        rearrangeObjects();
    }
    const std::vector<std::any>& arrangedObjects() const { return arranged_; }
    void rearrangeObjects();

  private:
    std::optional<std::vector<std::any>> content_;
    std::optional<Predicate> filter_;
    std::vector<std::any> arranged_;
};

}  // namespace appkit
