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
  info.HasDrive = true;
  info.ClusterSize = GetClusterSize(drive, fs);
  info.FreeBytes = GetFreeBytes(drive, fs);
  info.FreeClusters = info.ClusterSize == 0 ? 0 : info.FreeBytes / info.ClusterSize;
  info.ClusterSizeCaption = std::to_string(info.ClusterSize) + " bytes";
  info.FreeClustersCaption =
      FreeClustersCaption(info.FreeBytes, info.ClusterSize, thousandSeparator);
  return info;
}

}  // namespace brimvale
