#pragma once
// The resting edge of a preset card: rounded corners and a hairline border in the colour of the
// current style, which a drag's highlight gives way to and returns to. Main thread only.

namespace appkit {
class View;
}

void applyCardEdge(appkit::View& card);
