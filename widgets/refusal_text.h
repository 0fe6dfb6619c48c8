// A refusal as the windows say it: each code's sentence in the window's language, with
// its details filled in, the position in front and a wrapped refusal worded in turn.
#pragma once

#include "core/base/refusal.h"

#include <QString>

namespace gradation::widgets {

// The sentence `code` is worded with before translation (the source language is
// Japanese), with %1, %2, ... where its details and then its cause go.
const char* refusal_wording(RefusalCode code);

// `refusal` worded in the window's language (the "Refusal" translation context).
QString refusal_text(const Refusal& refusal);

}  // namespace gradation::widgets
