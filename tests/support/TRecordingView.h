#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/UDiskInfo.h"
#include "engine/UDuration.h"
#include "engine/UFillRun.h"

namespace brimvale::test {

// Stands in for the main window around a fill run: keeps the probe fields
// and the texts the window would show, and remembers what the run did to
// it. Progress reports are summed up rather than kept, so that a run of
// hundreds of millions of blocks costs no memory.
class TRecordingView final : public TFillRunView {
 public:
  explicit TRecordingView(TFileSystem& disk) : FDisk(disk) {}

  // What the window holds.
  std::string folder = "Y:\\fill";
  bool writeThrough = false;
  TDiskFigures figures;
  std::string clusterSizeCaption = "...", freeClustersCaption = "...";

  // What the run did: "running", "shown", "hidden", "idle", "time left reset".
  std::vector<std::string> log;
  std::vector<std::string> tasks;
  std::vector<std::string> freeCaptions;  // after each probe
  long long reports = 0;
  TProgress first, last;
  bool positionFell = false;
  std::uint32_t largestEstimateRise = 0;  // from one report to the next

  // Called after each report is taken in, with its number (1-based).
  std::function<void(long long)> onReport;

  void ProbeFolder(const std::string& text) override {
    const TDiskInfo info = ProbeDisk(text, ",", FDisk);
    figures = info.FiguresAfter(figures);
    clusterSizeCaption = info.ClusterSizeCaption;
    freeClustersCaption = info.FreeClustersCaption;
    freeCaptions.push_back(freeClustersCaption);
  }
  TDiskFigures ProbeFigures() const override { return figures; }
  std::string FolderText() override { return folder; }
  bool WriteThrough() override { return writeThrough; }
  void SetRunning(bool running) override { log.push_back(running ? "running" : "idle"); }
  void ShowProgressControls(bool shown) override { log.push_back(shown ? "shown" : "hidden"); }
  void ShowTask(const std::string& caption) override { tasks.push_back(caption); }
  void ShowProgress(const TProgress& report) override {
    if (++reports == 1) {
      first = report;
    } else {
      positionFell = positionFell || report.Position < last.Position;
      if (report.Estimate > last.Estimate && report.Estimate - last.Estimate > largestEstimateRise)
        largestEstimateRise = report.Estimate - last.Estimate;
    }
    last = report;
    if (onReport) onReport(reports);
  }
  void ResetTimeLeft() override { log.push_back("time left reset"); }

  // The labels as the last report left them.
  std::string LastTimeTaken() const { return FormatDuration(last.Elapsed); }
  std::string LastTimeLeft() const { return FormatDuration(last.Estimate); }

 private:
  TFileSystem& FDisk;  // not owned
};

}  // namespace brimvale::test
