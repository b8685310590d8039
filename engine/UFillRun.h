#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brimvale {

// A fill file never exceeds 1 GiB, so its size fits the writer's 32 bits.
inline constexpr std::uint32_t kMaxFillFileSize = 1073741824;

// "_filldrive_" + "%.4d_%d" of (number, chunk) + ".dat".
std::string FillFileName(std::int32_t fileNumber, std::int64_t chunk);

// The folder text with one backslash ensured, then the name.
std::string FillFilePath(std::string_view folder, std::string_view name);

// The task line: Writing file "NAME", N clusters, N bytes.
std::string TaskCaption(std::string_view name, std::int64_t chunk, std::int64_t clusterSize,
                        std::string_view thousandSeparator);

// Clusters of the first file: whole clusters in 1 GiB (cluster size >= 1).
std::int64_t FirstChunk(std::int64_t clusterSize);

// Halves the chunk while the free clusters do not hold it; 0 when none is free.
std::int64_t HalveToFit(std::int64_t chunk, std::int64_t freeClusters);

}  // namespace brimvale
