#pragma once

#include "engine/UNumberFormat.h"

namespace brimvale {

// The user's current number formats; call again after a settings change.
TFormatSettings ReadFormatSettings();

}  // namespace brimvale
