#pragma once
// ImageTally: how many images a question can say that files and folders handed to a list bring:
// what their collection would add (a folder by the images it holds, a file that is no image not at
// all, images already listed left out). Files are counted at once; folders are walked on the global
// queue, and once their count is known the question that is up is written again. Made and asked on
// the main thread; a copy shares the counts begun before it was made.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace screens {

class ImageTally {
  public:
    // Counts nothing: 0 images.
    ImageTally() = default;
    // Starts counting the images `paths` bring to the list as it is now.
    explicit ImageTally(const std::vector<std::string>& paths);

    // Counts `paths` too.
    void add(const std::vector<std::string>& paths);
    // The images counted, or nothing while some are still being counted.
    std::optional<std::size_t> count() const;

  private:
    struct Part;
    std::vector<std::shared_ptr<const Part>> parts_;
};

}  // namespace screens
