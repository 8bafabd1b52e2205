#pragma once

#include <cstddef>

#include "codecs/codec.h"
#include "codecs/key_names.h"

namespace quorlith {

// The stroke of a hot-key record, written in hot-key style
// ("Control-Alt-Home", "NumOff-/", "Undefined"). Letter keys are shown and
// compared in lower case, so strokes stored as "A" and as "a" are the same
// hot key; the stored code is kept as it is.
extern const Codec kHotKey;

// A record: a word nobody reads, then the seven flag words and the key code.
inline constexpr std::size_t kHotKeyRecordSize = 2 + 7 * 2 + 2;

// Reads the stroke, its key code folded.
KeyStroke ReadHotKeyStroke(ByteView record);

}  // namespace quorlith
