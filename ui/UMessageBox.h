#pragma once

#include "engine/UMessages.h"

namespace brimvale {

// The program's messages as a modal box: the application title as caption,
// no icon, one OK button.
class TMessageBoxSink final : public TMessageSink {
 public:
  void Show(const std::string& text) override;
};

}  // namespace brimvale
