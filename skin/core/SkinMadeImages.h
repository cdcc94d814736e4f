#pragma once
// The skin objects the engine makes itself: the combo strip from SunkEdge and ComboButton, the tool-bar
// gradient from the skin's colours, and the track-bar channels from the program's own images.
#include "skin/core/SkinObjects.h"

struct TSkinDescription;

// Width of the system's horizontal scroll-bar arrow, which the combo strip leaves for its button.
inline constexpr int HorizontalScrollArrowWidth = 17;

// With both SunkEdge and ComboButton present: a strip of SunkEdge's cell count, each cell 50 × 21, the
// sunk frame with the combo button (and ExtraImages' glyph) at its right and a magenta inside.
// ComboButton takes the strip (Style 2), SunkEdge takes it mirrored; their edges change to fit.
void MakeComboStrip(TSkinDescription& description);

// The 10 × 40 vertical gradient named "Toolbar", from the face colour lightened to a grey or, for a
// colourful title, the title colour lightened.
TDataSkinObject MakeToolbar(const TSkinDescription& description);

// A track-bar channel of the program's own: one cell, 3-pixel edges, stretched. name is TRACK or
// TRACKVERT.
TDataSkinObject MakeTrackChannel(const QString& name);
