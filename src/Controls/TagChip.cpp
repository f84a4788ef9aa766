#include "Controls/TagChip.h"

namespace controls {

TagChip TagChip::forRun(cg::Rect r, bool bezeled, double letterWidth) {
    r.origin.y += 2;
    if (bezeled) {
        r.origin.x += 2;
        r.origin.y += 3;
        r.size.height += 1;
    }
    TagChip chip;
    chip.chip =
        cg::Rect(r.origin.x - letterWidth * 0.25, r.origin.y, r.size.width + letterWidth, r.size.height + 10);
    chip.cornerRadius = chip.chip.size.height / 2;
    chip.text = cg::Rect(r.origin.x, r.origin.y + 5, r.size.width, r.size.height);
    return chip;
}

}  // namespace controls
