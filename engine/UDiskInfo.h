#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/platform/UFileSystem.h"

namespace brimvale {

// A drive's figures as the main window keeps them (its probe fields).
struct TDiskFigures {
  std::int64_t ClusterSize = 0;
  std::int64_t FreeBytes = 0;
  std::int64_t FreeClusters = 0;
};

// What one probe of a folder's drive finds: the figures and the texts of the
// two "Disk Attributes" labels.
struct TDiskInfo {
  // False for an empty folder text: then Figures.FreeClusters means nothing.
  bool HasDrive = false;
  TDiskFigures Figures{-1, 0, 0};
  std::string ClusterSizeCaption = "...";
  std::string FreeClustersCaption = "...";

  // The figures after this probe, from those before it: an empty folder
  // text leaves the free-cluster count as it was.
  TDiskFigures FiguresAfter(const TDiskFigures& before) const;
};

// Probes the drive named by the folder text's first character.
TDiskInfo ProbeDisk(std::string_view folderText, std::string_view thousandSeparator,
                    TFileSystem& fs);

// "%0.0nk, %0.0n clusters" of the free bytes; 0 clusters for a cluster size of 0.
std::string FreeClustersCaption(std::int64_t freeBytes, std::int64_t clusterSize,
                                std::string_view thousandSeparator);

}  // namespace brimvale
