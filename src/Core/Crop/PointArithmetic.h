#pragma once
// The crop code's point arithmetic lives with the point type itself.

#include "Platform/Graphics/PointArithmetic.h"
