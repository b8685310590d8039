#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/platform/UFileSystem.h"

namespace brimvale {

// What one probe of a folder's drive finds: the figures the main window keeps
// and the texts of its two "Disk Attributes" labels.
struct TDiskInfo {
  // False for an empty folder text: the caller keeps its previous free-cluster
  // count then, and FreeClusters here means nothing.
  bool HasDrive = false;
  std::int64_t ClusterSize = -1;
  std::int64_t FreeBytes = 0;
  std::int64_t FreeClusters = 0;
  std::string ClusterSizeCaption = "...";
  std::string FreeClustersCaption = "...";
};

// Probes the drive named by the folder text's first character.
TDiskInfo ProbeDisk(std::string_view folderText, std::string_view thousandSeparator,
                    TFileSystem& fs);

// "%0.0nk, %0.0n clusters" of the free bytes; 0 clusters for a cluster size of 0.
std::string FreeClustersCaption(std::int64_t freeBytes, std::int64_t clusterSize,
                                std::string_view thousandSeparator);

}  // namespace brimvale
