#include "engine/UDiskInfo.h"

#include "engine/UDrive.h"
#include "engine/UNumberFormat.h"

namespace brimvale {

std::string FreeClustersCaption(std::int64_t freeBytes, std::int64_t clusterSize,
                                std::string_view thousandSeparator) {
  const long double bytes = static_cast<long double>(freeBytes);
  // A drive may answer the cluster query with 0 bytes per cluster.
  const long double clusters = clusterSize == 0 ? 0.0L : bytes / clusterSize;
  return FormatNumberN(bytes / 1024, thousandSeparator) + "k, " +
         FormatNumberN(clusters, thousandSeparator) + " clusters";
}

TDiskInfo ProbeDisk(std::string_view folderText, std::string_view thousandSeparator,
                    TFileSystem& fs) {
  TDiskInfo info;
  const std::string first = GreekUpperCase(folderText.substr(0, 1));
  if (first.empty()) return info;

  const TDriveNumber drive = DriveNumberOf(first[0]);
  TDiskFigures& figures = info.Figures;
  info.HasDrive = true;
  figures.ClusterSize = GetClusterSize(drive, fs);
  figures.FreeBytes = GetFreeBytes(drive, fs);
  figures.FreeClusters = figures.ClusterSize == 0 ? 0 : figures.FreeBytes / figures.ClusterSize;
  info.ClusterSizeCaption = std::to_string(figures.ClusterSize) + " bytes";
  info.FreeClustersCaption =
      FreeClustersCaption(figures.FreeBytes, figures.ClusterSize, thousandSeparator);
  return info;
}

TDiskFigures TDiskInfo::FiguresAfter(const TDiskFigures& before) const {
  TDiskFigures after = Figures;
  if (!HasDrive) after.FreeClusters = before.FreeClusters;
  return after;
}

}  // namespace brimvale
