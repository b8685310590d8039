#include "engine/UFillRun.h"

#include <exception>

#include "engine/UGlobals.h"
#include "engine/UMessages.h"

namespace brimvale {

namespace {

// Names found taken at creation, in a row, before a file counts as failed.
constexpr int kCreateAttempts = 16;

}  // namespace

std::string FillFileName(std::int32_t fileNumber, std::int64_t chunk) {
  return "_filldrive_" + FormatPadded(fileNumber, 4) + "_" + std::to_string(chunk) + ".dat";
}

std::string FillFilePath(std::string_view folder, std::string_view name,
                         const TLeadBytes& leadBytes) {
  std::string path(folder);
  if (!EndsWithBackslash(path, leadBytes)) path += '\\';
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

std::int64_t HalveToFit(std::int64_t chunk, std::int64_t freeClusters, std::int64_t clusterSize) {
  // Stops at 0 even for a negative count, which 0 div 2 would never pass.
  // The size limit matters only if the drive's clusters grow during a run
  // (another medium in the same drive): the writer takes 32 bits.
  while (chunk > 0 && (freeClusters < chunk || chunk * clusterSize > kMaxFillFileSize)) chunk /= 2;
  return chunk;
}

// The idle state comes back however the run ends. While an error is already
// on its way out, one from these steps would end the program: the first
// error is the one the user is shown.
class TFillRun::TClosingSteps {
 public:
  TClosingSteps(TFillRun& run, const std::string& folder)
      : FRun(run), FFolder(folder), FUncaught(std::uncaught_exceptions()) {}
  TClosingSteps(const TClosingSteps&) = delete;
  TClosingSteps& operator=(const TClosingSteps&) = delete;
  ~TClosingSteps() noexcept(false) {
    if (std::uncaught_exceptions() == FUncaught) {
      FRun.Close(FFolder);
      return;
    }
    try {
      FRun.Close(FFolder);
    } catch (...) {  // NOLINT(bugprone-empty-catch): the escaping error goes on
    }
  }

 private:
  TFillRun& FRun;
  const std::string& FFolder;
  int FUncaught;
};

TFillRun::TFillRun(TFillRunView& view, TFileSystem& fileSystem, TTickSource tickCount,
                   const TFormatSettings& formatSettings)
    : FView(view),
      FFileSystem(fileSystem),
      FTickCount(std::move(tickCount)),
      FFormatSettings(formatSettings) {}

void TFillRun::Execute(ProgressProc progress) {
  AbortRequested = false;
  // The folder field is locked for the run, so its text is read once: every
  // message to it passes through its completion and subclass layers.
  const std::string folder = FView.FolderText();
  FView.SetRunning(true);
  TClosingSteps closing(*this, folder);
  Fill(folder, progress);
}

void TFillRun::Close(const std::string& folder) {
  FView.ProbeFolder(folder);
  FView.ShowProgressControls(false);
  FView.SetRunning(false);
  FView.ResetTimeLeft();
}

void TFillRun::Fill(const std::string& folder, ProgressProc progress) {
  FView.ProbeFolder(folder);
  TDiskFigures disk = FView.ProbeFigures();
  if (disk.ClusterSize < 1) {
    ShowMessage("Invalid Cluster Size or cannot read cluster size from disk");
    return;
  }
  if (disk.FreeClusters == 0) {
    ShowMessage("Disk is already full!");
    return;
  }
  // No file size can fit a negative count: the halving would never end.
  if (disk.FreeClusters < 0) {
    ShowMessage("Cannot read free space from disk");
    return;
  }
  FRunClusters = static_cast<double>(disk.FreeClusters);
  FDoneClusters = 0;
  FView.ShowProgressControls(true);

  std::int64_t chunk =
      HalveToFit(FirstChunk(disk.ClusterSize), disk.FreeClusters, disk.ClusterSize);
  FStartTick = FTickCount();
  std::int32_t fileNumber = 0;
  int unshrunkFiles = 0;  // in a row
  while (chunk > 0) {
    FFileClusters = static_cast<double>(chunk);
    const std::int64_t freeBefore = disk.FreeClusters;
    // A file is only ever created new: a name that someone else takes
    // between the search and the creation is passed over for the next free
    // one, a bounded number of times.
    bool written = false;
    for (int attempt = 1;; ++attempt) {
      std::string name = FillFileName(fileNumber, chunk);
      while (FFileSystem.FileExists(FillFilePath(folder, name)))
        name = FillFileName(++fileNumber, chunk);
      FView.ShowTask(TaskCaption(name, chunk, disk.ClusterSize, FFormatSettings.ThousandSeparator));
      bool nameTaken = false;
      written = WriteFillFile(FillFilePath(folder, name), 0,
                              static_cast<std::int32_t>(disk.ClusterSize * chunk), false,
                              FView.WriteThrough(), AbortRequested, progress, FFileSystem,
                              attempt < kCreateAttempts ? &nameTaken : nullptr);
      if (!nameTaken) break;
      ++fileNumber;
    }
    if (!written) {
      ShowMessage("failed to write to file " + std::to_string(fileNumber) + ". Aborting");
      AbortRequested = true;
    }
    if (AbortRequested) return;

    FDoneClusters += FFileClusters;
    FView.ProbeFolder(folder);
    disk = FView.ProbeFigures();
    if (disk.FreeClusters < 0) {
      ShowMessage("Cannot read free space from disk");
      return;
    }
    // A compressed folder, or a file system that stores zeros without using
    // space, would take files for ever. One file is not proof: on a busy
    // drive another program may free more than the file took.
    unshrunkFiles = disk.FreeClusters >= freeBefore ? unshrunkFiles + 1 : 0;
    if (unshrunkFiles == 2) {
      ShowMessage("The drive's free space did not shrink while writing. Aborting");
      return;
    }
    chunk = HalveToFit(chunk, disk.FreeClusters, disk.ClusterSize);
    ++fileNumber;
  }
}

void TFillRun::ReportProgress(double fraction) {
  const std::uint32_t elapsed = FTickCount() - FStartTick;
  FView.ShowProgress(
      ComputeProgress(elapsed, fraction, FFileClusters, FDoneClusters, FRunClusters));
}

}  // namespace brimvale
