#pragma once

#include "engine/UMessages.h"

namespace brimvale {

class TApplication;

// The program's messages as a modal box: the application title as caption,
// no icon, one OK button (Enter and Esc), centred on the screen, the whole
// program disabled meanwhile. Once the program has been asked to end, a box
// closes again at once, as if dismissed.
class TMessageBoxSink final : public TMessageSink {
 public:
  explicit TMessageBoxSink(const TApplication& application) : FApplication(application) {}
  void Show(const std::string& text) override;

 private:
  const TApplication& FApplication;
};

}  // namespace brimvale
