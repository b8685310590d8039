#include "engine/UFillRun.h"

#include "engine/UNumberFormat.h"

namespace brimvale {

std::string FillFileName(std::int32_t fileNumber, std::int64_t chunk) {
  return "_filldrive_" + FormatPadded(fileNumber, 4) + "_" + std::to_string(chunk) + ".dat";
}

std::string FillFilePath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += name;
  return path;
}

std::string TaskCaption(std::string_view name, std::int64_t chunk, std::int64_t clusterSize,
                        std::string_view thousandSeparator) {
  return "Writing file \"" + std::string(name) + "\", " +
         FormatNumberN(static_cast<long double>(chunk), thousandSeparator) + " clusters, " +
         FormatNumberN(static_cast<long double>(chunk * clusterSize), thousandSeparator) + " bytes";
}

std::int64_t FirstChunk(std::int64_t clusterSize) {
  return static_cast<std::int64_t>(kMaxFillFileSize) / clusterSize;
}

std::int64_t HalveToFit(std::int64_t chunk, std::int64_t freeClusters) {
  // Stops at 0 even for a negative count, which 0 div 2 would never pass.
  while (chunk > 0 && freeClusters < chunk) chunk /= 2;
  return chunk;
}

}  // namespace brimvale
