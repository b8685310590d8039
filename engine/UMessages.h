#pragma once

#include <string>

namespace brimvale {

// Where the program's plain messages go: a modal box in the product,
// a recorder in tests.
class TMessageSink {
 public:
  virtual ~TMessageSink() = default;
  // Returns once the user has dismissed the message.
  virtual void Show(const std::string& text) = 0;
};

// Shows a message through the installed sink (stderr when none is installed).
void ShowMessage(const std::string& text);

// Installs a sink (nullptr for the default) and returns the one it replaced.
// Does not take ownership.
TMessageSink* SetMessageSink(TMessageSink* sink);

}  // namespace brimvale
