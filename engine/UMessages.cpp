#include "engine/UMessages.h"

#include <cstdio>

namespace brimvale {
namespace {

class TStderrSink final : public TMessageSink {
 public:
  void Show(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

TStderrSink gStderrSink;
TMessageSink* gSink = &gStderrSink;  // not owned

}  // namespace

void ShowMessage(const std::string& text) { gSink->Show(text); }

TMessageSink* SetMessageSink(TMessageSink* sink) {
  TMessageSink* previous = gSink == &gStderrSink ? nullptr : gSink;
  gSink = sink ? sink : &gStderrSink;
  return previous;
}

}  // namespace brimvale
