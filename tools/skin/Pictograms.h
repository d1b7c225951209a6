// The seven tab pictograms, shared by the ribbon tabs and the start-page buttons.
#pragma once

#include "Canvas.h"

namespace skin {

enum class Pictogram { kTranslation, kSetup, kDictionaries, kLaunch, kNetwork, kMyVanto, kGuide };

// Draws the pictogram centred on (cx, cy) within a square of `size` pixels: its main parts in
// `primary`, its accents in `secondary`.
void DrawPictogram(Canvas& canvas, Pictogram which, float cx, float cy, float size, Rgb primary,
                   Rgb secondary);

}  // namespace skin
