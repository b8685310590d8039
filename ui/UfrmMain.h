#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/UFillRun.h"
#include "engine/UNumberFormat.h"
#include "engine/platform/UFileSystem.h"
#include "ui/UOwners.h"
#include "ui/UJvDirectoryEdit.h"
#include "ui/UScaling.h"
#include "ui/UWindow.h"

namespace brimvale {

class TApplication;

// Stands for the application manifest the program carries (res/), which
// makes the common controls draw in the system's visual style.
struct TXPManifest {};

// The folder field type; the window relies only on Text, SetText, SetEnabled,
// Handle, Create and OnChange.
using TFolderField = TJvDirectoryEdit;

// The main window: the program's only window and the owner of every control
// and of the fill engine's state. A fill run is the engine's TFillRun; the
// window is what it runs in.
class TfrmMain : public TWindow, private TFillRunView {
 public:
  explicit TfrmMain(TApplication& application, TFileSystem& fileSystem = SystemFileSystem(),
                    TTickSource tickCount = nullptr);
  TfrmMain(const TfrmMain&) = delete;
  TfrmMain& operator=(const TfrmMain&) = delete;
  ~TfrmMain() override;

  // Creates the window and its controls from the layout table and runs
  // FormCreate; the window is not shown yet.
  bool Create();
  // Shows the window with the start-up show command and focuses Go.
  void Show(int showCommand);

  // Controls, in their declared order; the layout table creates them in tab
  // order. Not owned: they live and die with the window.
  HWND btnGo = nullptr;
  HWND btnAbort = nullptr;
  TXPManifest XPManifest1;
  HWND GroupBox1 = nullptr;
  HWND Label3 = nullptr;
  HWND lblClusterSize = nullptr;
  HWND Label6 = nullptr;
  HWND lblFreeClusters = nullptr;
  HWND GroupBox2 = nullptr;
  HWND Label2 = nullptr;
  TFolderField edtDir;
  HWND chkWriteThrough = nullptr;
  HWND GroupBox3 = nullptr;
  HWND Label1 = nullptr;
  HWND GroupBox4 = nullptr;
  HWND Label4 = nullptr;
  HWND Label5 = nullptr;
  HWND lblTask = nullptr;
  HWND gauge = nullptr;
  HWND lblEstimatedLeft = nullptr;
  HWND lblTimeTaken = nullptr;
  HWND lblURL = nullptr;
  HWND lblURL2 = nullptr;
  HWND Label8 = nullptr;
  HWND Label9 = nullptr;

  // Handlers.
  void FormCreate(HWND Sender);
  void edtDirChange(HWND Sender);
  void btnGoClick(HWND Sender);
  void btnAbortClick(HWND Sender);
  void lblURLClick(HWND Sender);
  void lblURL2Click(HWND Sender);

  void UpdateDiskInfo();
  void OnWriteProgress(double Fraction);

  // For tests: the probe fields.
  std::int64_t ClusterSize() const { return FClusterSize; }
  std::int64_t FreeBytes() const { return FFreeBytes; }
  std::int64_t FreeClusters() const { return FFreeClusters; }

  struct TControlRow;  // one row of the layout table

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnCtlColor(UINT message, HDC dc, HWND control);
  bool OnSetCursor(HWND control);
  // The links take the colour the present scheme can show.
  void FollowLinkColour();
  void OnActivate(bool active);
  // The control (or the window itself) that had the focus if it can take
  // it, else Abort during a run, else Go.
  void FocusActiveControl();
  // Where the keys go as a run starts (Go disabled) and ends.
  void KeepTheKeyboard(bool running);

  // Makes the client area `width` x `height` pixels, whatever frame is drawn.
  void FitClientArea(int width, int height);
  bool CreateControls();
  // Moves the Help group's caption column left where a caption is wider
  // than laid out, so that none runs under its link.
  void KeepCaptionsClearOfLinks();
  HWND CreateControl(const TControlRow& row, HWND parent, int id);
  const TControlRow* RowOf(HWND control) const;
  RECT ScaledBounds(const TControlRow& row) const;
  void SetLabelCaption(HWND label, const std::string& caption);
  void SetLabelText(HWND label, const char* caption);
  // Fits the labels that a run left wider than their text.
  void FitLabelsToText();
  void ShowDuration(HWND label, std::uint32_t milliseconds, std::uint32_t& shownSeconds);
  SIZE LabelSizeFor(HWND label, const char* text) const;
  void FitLabelToText(HWND label, const char* text);
  void OpenLink(HWND label);

  // What a fill run reads and shows of the window.
  void ProbeFolder(const std::string& folder) override;
  TDiskFigures ProbeFigures() const override;
  std::string FolderText() override;
  bool WriteThrough() override;
  void SetRunning(bool running) override;
  void ShowProgressControls(bool shown) override;
  void ShowTask(const std::string& caption) override;
  void ShowProgress(const TProgress& report) override;
  void ResetTimeLeft() override;

  TApplication& FApplication;
  TFileSystem& FFileSystem;
  TFormatSettings FFormatSettings;
  HWND FActiveControl = nullptr;  // the control (or the window) that gets the focus on activation
  TLayoutScale FScale;            // layout units to pixels, from the window font's text height
  TFontOwner FFont;               // the window's font, sized for the screen's resolution
  TFontOwner FControlFont;        // the controls' font and its bold twin, scaled with the layout
  TFontOwner FBoldFont;
  COLORREF FLinkColour = RGB(0, 0, 255);

  // Drive probe.
  std::int64_t FClusterSize = 0;
  std::int64_t FFreeBytes = 0;
  std::int64_t FFreeClusters = 0;
  // Fill run: the run fields FStartTick, FRunClusters, FFileClusters and
  // FDoneClusters are the run's, written and read by the engine alone.
  TFillRun FRun;
  bool FRunning = false;             // from Go disabled to Go enabled again
  std::vector<HWND> FWiderThanText;  // labels the run has not fitted to their text yet
  // What the progress controls show, so that a report that changes nothing
  // on screen costs nothing but the message pump.
  static constexpr std::uint32_t kNoneShown = 0xFFFFFFFF;  // no whole-second count
  int FShownPosition = 0;
  std::uint32_t FShownTakenSeconds = kNoneShown;  // "..." until the first report
  std::uint32_t FShownLeftSeconds = kNoneShown;
};

}  // namespace brimvale
