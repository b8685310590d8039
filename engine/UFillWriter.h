#pragma once

#include <cstdint>
#include <string>

#include "engine/platform/UFileSystem.h"

namespace brimvale {

inline constexpr std::int32_t kBlockSize = 65536;

// A method bound to an object, called with the fraction of the file written
// so far (above 0, at most 1). Two pointers, copied freely; never allocates.
class ProgressProc {
 public:
  ProgressProc() = default;

  template <auto Method, class T>
  static ProgressProc Bind(T* object) {
    return ProgressProc(
        object, [](void* self, double fraction) { (static_cast<T*>(self)->*Method)(fraction); });
  }

  explicit operator bool() const { return FCall != nullptr; }
  void operator()(double fraction) const { FCall(FObject, fraction); }

 private:
  using TCall = void (*)(void*, double);
  ProgressProc(void* object, TCall call) : FObject(object), FCall(call) {}

  void* FObject = nullptr;  // not owned
  TCall FCall = nullptr;
};

// Creates `fileName` as a new file and writes `size` bytes of `fillValue`
// (or of the program's pseudo-random sequence) in 64 KiB blocks, reporting
// progress after each block. Stops after the block in progress once
// `abortFlag` is set. True when the file was written to its end or stopped
// by the flag, and closed; false, after a message where one is due, when it
// could not be created, a block was written short or closing failed.
// Partial files stay on the disk. An entry already under the name is never
// written: the creation fails, silently where `nameTaken` is given, which
// is then set, so that the caller may take another name.
bool WriteFillFile(const std::string& fileName, std::uint8_t fillValue, std::int32_t size,
                   bool randomFill, bool writeThrough, bool& abortFlag, ProgressProc progress,
                   TFileSystem& fs, bool* nameTaken = nullptr);

}  // namespace brimvale
