#pragma once
// The whole colour library in one include: construction, read-outs, colour models, hexadecimal texts,
// adjustments, contrast, schemes, random colours and tones, palettes and fixed colours.

#include "Libraries/Colour/Adjustment.h"
#include "Libraries/Colour/CMYK.h"
#include "Libraries/Colour/Components.h"
#include "Libraries/Colour/Construction.h"
#include "Libraries/Colour/Contrast.h"
#include "Libraries/Colour/FixedColours.h"
#include "Libraries/Colour/HSB.h"
#include "Libraries/Colour/HexText.h"
#include "Libraries/Colour/Lab.h"
#include "Libraries/Colour/Palettes.h"
#include "Libraries/Colour/RandomColours.h"
#include "Libraries/Colour/Schemes.h"
#include "Libraries/Colour/Tones.h"
