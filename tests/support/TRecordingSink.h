#pragma once

#include <string>
#include <vector>

#include "engine/UMessages.h"

namespace brimvale::test {

// Collects the messages shown while it is alive, instead of showing them.
class TRecordingSink final : public TMessageSink {
 public:
  TRecordingSink() : previous_(SetMessageSink(this)) {}
  TRecordingSink(const TRecordingSink&) = delete;
  TRecordingSink& operator=(const TRecordingSink&) = delete;
  ~TRecordingSink() override { SetMessageSink(previous_); }

  void Show(const std::string& text) override { messages.push_back(text); }

  std::vector<std::string> messages;

 private:
  TMessageSink* previous_;
};

}  // namespace brimvale::test
