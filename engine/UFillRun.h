#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/UDiskInfo.h"
#include "engine/UFillWriter.h"
#include "engine/UNumberFormat.h"
#include "engine/UPathText.h"
#include "engine/UProgress.h"
#include "engine/platform/UFileSystem.h"

namespace brimvale {

// A fill file never exceeds 1 GiB, so its size fits the writer's 32 bits.
inline constexpr std::uint32_t kMaxFillFileSize = 1073741824;

// "_filldrive_" + "%.4d_%d" of (number, chunk) + ".dat".
std::string FillFileName(std::int32_t fileNumber, std::int64_t chunk);

// The folder text with one backslash ensured, then the name.
std::string FillFilePath(std::string_view folder, std::string_view name,
                         const TLeadBytes& leadBytes = ProcessLeadBytes());

// The task line: Writing file "NAME", N clusters, N bytes.
std::string TaskCaption(std::string_view name, std::int64_t chunk, std::int64_t clusterSize,
                        std::string_view thousandSeparator);

// Clusters of the first file: whole clusters in 1 GiB (cluster size >= 1).
std::int64_t FirstChunk(std::int64_t clusterSize);

// Halves the chunk while the free clusters do not hold it, or while it
// would make a file above 1 GiB; 0 when none is free.
std::int64_t HalveToFit(std::int64_t chunk, std::int64_t freeClusters, std::int64_t clusterSize);

// Milliseconds since the system started, wrapping at 2^32.
using TTickSource = std::function<std::uint32_t()>;

// What a fill run needs of the window it runs in; the main window is the
// one implementation, tests have their own.
class TFillRunView {
 public:
  virtual ~TFillRunView() = default;

  // Probes the folder's drive into the probe fields and their labels.
  virtual void ProbeFolder(const std::string& folder) = 0;
  virtual TDiskFigures ProbeFigures() const = 0;
  virtual std::string FolderText() = 0;
  // The write-through check box, read before each file.
  virtual bool WriteThrough() = 0;
  // Running: Go disabled, Abort enabled, the folder field locked (the run
  // reads it once); idle: the reverse.
  virtual void SetRunning(bool running) = 0;
  // Shown: the bar at 0, then the bar and the task line shown; hidden: the
  // task line, then the bar.
  virtual void ShowProgressControls(bool shown) = 0;
  virtual void ShowTask(const std::string& caption) = 0;
  // Once a block: shows the report and lets pending messages run (Abort).
  virtual void ShowProgress(const TProgress& progress) = 0;
  virtual void ResetTimeLeft() = 0;
};

// One fill run after another: fills the folder's drive with zero files from
// the first probe to the last file, and turns the writer's progress into the
// run's. The run fields live here, between runs too.
class TFillRun {
 public:
  // None of the four is owned; the format settings are read at each caption.
  TFillRun(TFillRunView& view, TFileSystem& fileSystem, TTickSource tickCount,
           const TFormatSettings& formatSettings);
  TFillRun(const TFillRun&) = delete;
  TFillRun& operator=(const TFillRun&) = delete;

  // One whole run, until the drive is full, a file fails, Abort is pressed or
  // a start check refuses; the closing steps run on every path, an escaping
  // error included. `progress` is the writer's callback; it is to call
  // ReportProgress.
  void Execute(ProgressProc progress);

  // The run's progress after `fraction` of the current file, shown.
  void ReportProgress(double fraction);

  std::uint32_t StartTick() const { return FStartTick; }
  double RunClusters() const { return FRunClusters; }
  double DoneClusters() const { return FDoneClusters; }

 private:
  class TClosingSteps;
  void Fill(const std::string& folder, ProgressProc progress);
  void Close(const std::string& folder);

  TFillRunView& FView;
  TFileSystem& FFileSystem;
  TTickSource FTickCount;
  const TFormatSettings& FFormatSettings;

  std::uint32_t FStartTick = 0;
  double FRunClusters = 0;
  double FFileClusters = 0;
  double FDoneClusters = 0;
};

}  // namespace brimvale
