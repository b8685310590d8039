#include "engine/UFillWriter.h"

#include <cstring>

#include "engine/UDouble.h"
#include "engine/UGlobals.h"
#include "engine/UMessages.h"

namespace brimvale {

bool WriteFillFile(const std::string& fileName, std::uint8_t fillValue, std::int32_t size,
                   bool randomFill, bool writeThrough, bool& abortFlag, ProgressProc progress,
                   TFileSystem& fs, bool* nameTaken) {
  // Filled once; every block is written from its start.
  unsigned char block[kBlockSize];
  std::memset(block, fillValue, sizeof block);
  if (randomFill)
    for (unsigned char& byte : block) byte = RandomByte();

  bool taken = false;
  TFileOwner file(fs, fs.CreateNew(fileName, writeThrough, taken));
  if (nameTaken) *nameTaken = taken;
  if (!file) {
    if (!(taken && nameTaken)) ShowMessage("Invalid File Handle");
    return false;
  }

  // Sizes below 1 give an empty file rather than a 0/0 progress report.
  const std::int32_t lastBlock = size < 1 ? -1 : (size - 1) / kBlockSize;
  std::int32_t writtenSoFar = 0;
  for (std::int32_t i = 0; i <= lastBlock; ++i) {
    const std::uint32_t count =
        static_cast<std::uint32_t>(i == lastBlock ? size - writtenSoFar : kBlockSize);
    std::uint32_t written = 0;
    if (!fs.Write(file.Get(), block, count, written)) {
      ShowMessage("Failed to write to file.");
      written = 0;
    }
    // The global flag, not the caller's: an Abort pressed while the message
    // above was open makes the stop a success.
    if (written != count || AbortRequested) {
      file.Close();
      return AbortRequested;
    }
    writtenSoFar += static_cast<std::int32_t>(count);
    if (progress) progress(StoredAsDouble(static_cast<long double>(writtenSoFar) / size));
    if (abortFlag) break;
  }

  fs.Flush(file.Get());
  return file.Close();
}

}  // namespace brimvale
