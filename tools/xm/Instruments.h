// The music's instruments synthesised from their recipes.
#pragma once

#include "Score.h"
#include "XmModule.h"

namespace brinecast::xm {

// Synthesises an instrument's sample and envelope from its recipe. Settings (all
// optional): volume 0..64, base (the note the sample is made at), length, attack,
// decay, release (seconds), sustain 0..1, bright 0..1, detune (cents), pan 0..255,
// tone (a drum's pitch, 1 = as made).
// `bpm` turns seconds into envelope ticks. Throws ScoreError for a bad recipe.
Instrument BuildInstrument(const InstrumentRecipe& recipe, int bpm);

}  // namespace brinecast::xm
