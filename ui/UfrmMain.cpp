#include "ui/UfrmMain.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "engine/UDiskInfo.h"
#include "engine/UDuration.h"
#include "engine/UGlobals.h"
#include "engine/platform/ULocale.h"
#include "ui/UApplication.h"
#include "ui/UControls.h"

namespace brimvale {

namespace {

constexpr char kClassName[] = "TfrmMain";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kLeft = 293, kTop = 110, kClientWidth = 410, kClientHeight = 408;
constexpr int kFontHeight = -11;  // "MS Sans Serif", 8 points at 96 dpi
constexpr char kMakerNotice[] = "- freeware by Tavor Software";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which dialog keys send

HFONT CreateLayoutFont(int height, int weight) {
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, kLayoutFace);
}

const char kHelpText[] =
    "This application creates empty files filled with zeros (char 0) in order to fill a disk "
    "drive completely. Later, you can shred the files to ensure complete deletion of any unused "
    "drive space.";

}  // namespace

struct TfrmMain::TControlSpec {
  enum TKind { GroupBox, Label, WrappedLabel, LinkLabel, Button, CheckBox, FolderField, Gauge };
  enum TColour { WindowText, GreyText, Blue };

  TKind kind;
  HWND TfrmMain::*member;  // nullptr for the folder field, an object of its own
  HWND TfrmMain::*parent;  // nullptr for the window itself
  int left, top, width, height;
  const char* text;
  TColour colour;
  bool bold;
  bool enabled;
  bool visible;
  void (TfrmMain::*event)(HWND);
};

namespace {

using TSpec = TfrmMain::TControlSpec;
constexpr HWND TfrmMain::*kWindow = nullptr;

}  // namespace

// The window's layout at 96 dpi, one row per control, in the order the
// controls are created: the order Tab follows among each parent's children,
// every group box before what it holds, and each label right before the
// control it names (screen readers name a control after the text before it
// in z-order; labels are no tab stops). Labels size themselves to their text.
// clang-format off
static constexpr TSpec kLayout[] = {
  {TSpec::Button, &TfrmMain::btnGo, kWindow, 284, 272, 119, 29, "Go", TSpec::WindowText, false, true, true, &TfrmMain::btnGoClick},
  {TSpec::Button, &TfrmMain::btnAbort, kWindow, 204, 272, 75, 29, "Abort", TSpec::WindowText, false, false, true, &TfrmMain::btnAbortClick},
  {TSpec::GroupBox, &TfrmMain::GroupBox1, kWindow, 4, 208, 400, 57, " Disk Attributes ", TSpec::WindowText, false, true, true, nullptr},
  {TSpec::Label, &TfrmMain::Label3, &TfrmMain::GroupBox1, 8, 16, 56, 13, "Cluster size:", TSpec::GreyText, false, true, true, nullptr},
  {TSpec::Label, &TfrmMain::lblClusterSize, &TfrmMain::GroupBox1, 76, 16, 13, 13, "...", TSpec::GreyText, true, true, true, nullptr},
  {TSpec::Label, &TfrmMain::Label6, &TfrmMain::GroupBox1, 8, 36, 64, 13, "Free Clusters:", TSpec::GreyText, false, true, true, nullptr},
  {TSpec::Label, &TfrmMain::lblFreeClusters, &TfrmMain::GroupBox1, 76, 36, 13, 13, "...", TSpec::GreyText, true, true, true, nullptr},
  {TSpec::GroupBox, &TfrmMain::GroupBox2, kWindow, 4, 112, 400, 89, " Program Options ", TSpec::WindowText, false, true, true, nullptr},
  {TSpec::Label, &TfrmMain::Label2, &TfrmMain::GroupBox2, 8, 20, 121, 13, "Folder to generate files in:", TSpec::WindowText, false, true, true, nullptr},
  {TSpec::FolderField, nullptr, &TfrmMain::GroupBox2, 8, 36, 381, 21, "edtDir", TSpec::WindowText, false, true, true, nullptr},
  {TSpec::CheckBox, &TfrmMain::chkWriteThrough, &TfrmMain::GroupBox2, 8, 64, 261, 17, "No OS optimisation (writes directly to disk - slow)", TSpec::WindowText, false, true, true, nullptr},
  {TSpec::GroupBox, &TfrmMain::GroupBox3, kWindow, 4, 4, 400, 105, " Help", TSpec::WindowText, false, true, true, nullptr},
  {TSpec::WrappedLabel, &TfrmMain::Label1, &TfrmMain::GroupBox3, 8, 16, 385, 45, kHelpText, TSpec::GreyText, false, true, true, nullptr},
  {TSpec::Label, &TfrmMain::Label8, &TfrmMain::GroupBox3, 40, 66, 55, 15, "Homepage:", TSpec::GreyText, false, true, true, nullptr},
  {TSpec::LinkLabel, &TfrmMain::lblURL, &TfrmMain::GroupBox3, 116, 66, 106, 13, "http://www.tavor-software.example/", TSpec::Blue, false, true, true, &TfrmMain::lblURLClick},
  {TSpec::Label, &TfrmMain::Label9, &TfrmMain::GroupBox3, 40, 82, 70, 13, "Brimvale's page:", TSpec::GreyText, false, true, true, nullptr},
  {TSpec::LinkLabel, &TfrmMain::lblURL2, &TfrmMain::GroupBox3, 116, 82, 186, 13, "http://www.tavor-software.example/utilities/brimvale.jsp", TSpec::Blue, false, true, true, &TfrmMain::lblURL2Click},
  {TSpec::GroupBox, &TfrmMain::GroupBox4, kWindow, 4, 304, 400, 97, " Progress ", TSpec::WindowText, false, true, true, nullptr},
  {TSpec::Gauge, &TfrmMain::gauge, &TfrmMain::GroupBox4, 4, 72, 392, 17, "", TSpec::WindowText, false, true, false, nullptr},
  {TSpec::Label, &TfrmMain::Label5, &TfrmMain::GroupBox4, 8, 16, 60, 13, "Time Taken:", TSpec::WindowText, false, true, true, nullptr},
  {TSpec::Label, &TfrmMain::lblTimeTaken, &TfrmMain::GroupBox4, 108, 16, 13, 13, "...", TSpec::WindowText, true, true, true, nullptr},
  {TSpec::Label, &TfrmMain::Label4, &TfrmMain::GroupBox4, 8, 36, 96, 13, "Estimated Time Left:", TSpec::WindowText, false, true, true, nullptr},
  {TSpec::Label, &TfrmMain::lblEstimatedLeft, &TfrmMain::GroupBox4, 108, 36, 13, 13, "...", TSpec::WindowText, true, true, true, nullptr},
  {TSpec::Label, &TfrmMain::lblTask, &TfrmMain::GroupBox4, 8, 56, 9, 13, "...", TSpec::GreyText, false, true, false, nullptr},
};
// clang-format on

namespace {

// Every parent stands in an earlier row than its children, so that one
// pass creates them all.
constexpr bool ParentsComeFirst() {
  for (std::size_t row = 0; row < std::size(kLayout); ++row) {
    if (kLayout[row].parent == kWindow) continue;
    bool found = false;
    for (std::size_t earlier = 0; earlier < row; ++earlier)
      found = found || (kLayout[earlier].member == kLayout[row].parent &&
                        kLayout[earlier].kind == TSpec::GroupBox);
    if (!found) return false;
  }
  return true;
}
static_assert(ParentsComeFirst());

}  // namespace

TfrmMain::TfrmMain(TApplication& application, TFileSystem& fileSystem, TTickSource tickCount)
    : TWindow(application),
      edtDir(application),
      FApplication(application),
      FFileSystem(fileSystem),
      FFormatSettings(ReadFormatSettings()),
      FRun(*this, fileSystem,
           tickCount ? std::move(tickCount) : TTickSource([] { return GetTickCount(); }),
           FFormatSettings) {
  edtDir.OnChange = [this] { edtDirChange(edtDir.Handle()); };
}

TfrmMain::~TfrmMain() { DestroyHandle(); }

bool TfrmMain::Create() {
  // On a screen of another resolution the font keeps its size in points;
  // the layout then follows the text height that font really has, so text
  // keeps fitting its controls whichever face serves it.
  const int dpi = ScreenDpi();
  FFont.Reset(CreateLayoutFont(FontHeightForDpi(kFontHeight, dpi), FW_NORMAL));
  FScale = TLayoutScale(LayoutTextHeight(MeasureFont(FFont.Get())));
  FControlFont.Reset(CreateLayoutFont(FScale(kFontHeight), FW_NORMAL));
  FBoldFont.Reset(CreateLayoutFont(FScale(kFontHeight), FW_BOLD));

  RECT frame{0, 0, FScale(kClientWidth), FScale(kClientHeight)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_CONTROLPARENT);
  OffsetRect(&frame, kLeft - frame.left, kTop - frame.top);
  TWindowClass windowClass{kClassName};
  windowClass.icon = FApplication.Icon();
  windowClass.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  // The stored caption never shows: FormCreate replaces it.
  // Owned by the application window, which carries the taskbar button.
  if (!CreateHandle(windowClass, WS_EX_CONTROLPARENT, "frmMain", kStyle, frame,
                    FApplication.Handle()))
    return false;
  if (!CreateControls()) return false;
  FormCreate(Handle());
  return true;
}

HWND TfrmMain::CreateControl(const TControlSpec& spec, HWND parent, int id) {
  DWORD style = WS_CHILD | (spec.visible ? WS_VISIBLE : 0) | (spec.enabled ? 0 : WS_DISABLED);
  DWORD exStyle = 0;
  const char* windowClass = "Static";
  switch (spec.kind) {
    case TControlSpec::GroupBox:
      windowClass = "Button";
      style |= BS_GROUPBOX;
      exStyle |= WS_EX_CONTROLPARENT;  // Tab walks into its children
      break;
    case TControlSpec::Label:
      style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
      break;
    case TControlSpec::WrappedLabel:
      style |= SS_LEFT | SS_NOPREFIX;
      break;
    case TControlSpec::LinkLabel:
      style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;
      break;
    case TControlSpec::Button:
      windowClass = "Button";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case TControlSpec::CheckBox:
      windowClass = "Button";
      style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      break;
    case TControlSpec::Gauge:
      windowClass = PROGRESS_CLASSA;
      break;
    case TControlSpec::FolderField:
      return nullptr;  // the field creates its own window
  }
  const RECT bounds = FScale.Bounds(spec.left, spec.top, spec.width, spec.height);
  const HWND control = CreateWindowExA(
      exStyle, windowClass, spec.text, style, bounds.left, bounds.top, bounds.right - bounds.left,
      bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      FApplication.Instance(), nullptr);
  if (!control) return nullptr;
  SendMessageA(control, WM_SETFONT,
               reinterpret_cast<WPARAM>(spec.bold ? FBoldFont.Get() : FControlFont.Get()), FALSE);
  if (spec.kind == TControlSpec::GroupBox) ForwardChildNotifications(control);
  if (spec.kind == TControlSpec::Label || spec.kind == TControlSpec::LinkLabel)
    FitLabelToText(control, spec.text);
  return control;
}

bool TfrmMain::CreateControls() {
  // Creation order is the order Tab follows among siblings: the table's.
  for (std::size_t row = 0; row < std::size(kLayout); ++row) {
    const TControlSpec& spec = kLayout[row];
    const HWND parent = spec.parent == kWindow ? Handle() : this->*spec.parent;
    const int id = kFirstControlId + static_cast<int>(row);
    if (spec.kind == TControlSpec::FolderField) {
      const RECT bounds = FScale.Bounds(spec.left, spec.top, spec.width, spec.height);
      if (!edtDir.Create(parent, id, bounds, FControlFont.Get(), spec.text)) return false;
    } else {
      this->*spec.member = CreateControl(spec, parent, id);
      if (!(this->*spec.member)) return false;
    }
  }
  return true;
}

const TfrmMain::TControlSpec* TfrmMain::SpecOf(HWND control) const {
  const int row = GetDlgCtrlID(control) - kFirstControlId;
  if (row < 0 || row >= static_cast<int>(std::size(kLayout))) return nullptr;
  return &kLayout[row];
}

SIZE TfrmMain::LabelSizeFor(HWND label, const char* text) const {
  TMemoryDC dc;
  TSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
  RECT bounds{0, 0, 0, 0};
  DrawTextA(dc.Get(), *text ? text : " ", -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  // A bold face made from the plain one paints one overhang wider than its
  // characters measure. An empty caption keeps the line's height.
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  return SIZE{*text ? bounds.right + metrics.tmOverhang : 0, bounds.bottom};
}

void TfrmMain::FitLabelToText(HWND label, const char* text) {
  const SIZE size = LabelSizeFor(label, text);
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::SetLabelCaption(HWND label, const std::string& caption) {
  if (WindowText(label) == caption) return;
  SetLabelText(label, caption.c_str());
}

void TfrmMain::SetLabelText(HWND label, const char* caption) {
  // A label fills all of its area when it paints. So it is sized to cover
  // both captions, painted once with the new one, which wipes the old, and
  // then fitted to the new one without a repaint: nothing behind it needs
  // painting, and the label paints once.
  RECT old;
  GetWindowRect(label, &old);
  const SIZE oldSize{old.right - old.left, old.bottom - old.top};
  const SIZE size = LabelSizeFor(label, caption);
  const SIZE cover{std::max(size.cx, oldSize.cx), std::max(size.cy, oldSize.cy)};
  constexpr UINT kResize = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
  if (cover.cx != oldSize.cx || cover.cy != oldSize.cy)
    SetWindowPos(label, nullptr, 0, 0, cover.cx, cover.cy, kResize);
  SetWindowTextA(label, caption);
  if (size.cx == cover.cx && size.cy == cover.cy) return;
  UpdateWindow(label);
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, kResize);

  // Except the group box's frame, where a long caption covered it.
  const HWND parent = GetParent(label);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&old), 2);
  const RECT strips[] = {{old.left + size.cx, old.top, old.right, old.bottom},
                         {old.left, old.top + size.cy, old.right, old.bottom}};
  RECT inner;
  GetClientRect(parent, &inner);
  const RECT whole = inner;
  const int edge = 2 * GetSystemMetrics(SM_CXEDGE);  // the etched line, and a margin
  InflateRect(&inner, -edge, -edge);
  const RECT bands[] = {{whole.left, whole.top, inner.left, whole.bottom},
                        {inner.right, whole.top, whole.right, whole.bottom},
                        {whole.left, whole.top, whole.right, inner.top},
                        {whole.left, inner.bottom, whole.right, whole.bottom}};
  for (const RECT& strip : strips) {
    for (const RECT& band : bands) {
      RECT uncovered;
      if (IntersectRect(&uncovered, &band, &strip)) InvalidateRect(parent, &uncovered, TRUE);
    }
  }
}

void TfrmMain::ShowDuration(HWND label, std::uint32_t milliseconds, std::uint32_t& shownSeconds) {
  // The text changes only with the whole seconds: about once a second,
  // while this runs once a block.
  const std::uint32_t seconds = milliseconds / 1000;
  if (seconds == shownSeconds) return;
  shownSeconds = seconds;
  SetLabelText(label, FormatDuration(milliseconds).c_str());
}

void TfrmMain::Show(int showCommand) {
  FApplication.SetMainWindow(Handle());
  FActiveControl = btnGo;
  // Started minimised: only the taskbar button shows; the window comes
  // with its restore.
  const bool minimized = showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINIMIZED ||
                         showCommand == SW_SHOWMINNOACTIVE || showCommand == SW_FORCEMINIMIZE;
  FApplication.ShowTaskbarButton(minimized);
  if (minimized) return;
  ShowWindow(Handle(), showCommand == SW_SHOWDEFAULT ? SW_SHOWNORMAL : showCommand);
  UpdateWindow(Handle());
  SetFocus(btnGo);
}

LRESULT TfrmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
      break;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_SETFOCUS:
      // Given by the application window (the taskbar, Alt+Tab).
      FocusActiveControl();
      return 0;
    case WM_GETFONT:
      // The default procedure keeps no font: the window answers for its own.
      return reinterpret_cast<LRESULT>(FFont.Get());
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear of it; the controls' pictures follow it.
      SendToDescendants(Handle(), message, wParam, lParam);
      break;
    case WM_SETTINGCHANGE:
      FFormatSettings = ReadFormatSettings();
      break;
    case WM_CLOSE:
      // Ends the program once the running handler (a fill run) returns.
      FApplication.Terminate();
      return 0;
    case WM_SYSCOMMAND:
      // An owned window would shrink to a title bar of its own: the program
      // goes to its taskbar button instead.
      if ((wParam & 0xFFF0) != SC_MINIMIZE) break;
      FApplication.Minimize();
      return 0;
  }
  return DefaultProc(message, wParam, lParam);
}

LRESULT TfrmMain::OnCommand(WPARAM wParam, LPARAM lParam) {
  const HWND control = reinterpret_cast<HWND>(lParam);
  if (!control) return 0;
  if (SendMessageA(control, CN_COMMAND, wParam, lParam)) return 0;
  const TControlSpec* spec = SpecOf(control);
  // BN_CLICKED and STN_CLICKED are both 0.
  if (spec && spec->event && HIWORD(wParam) == BN_CLICKED) (this->*spec->event)(control);
  return 0;
}

LRESULT TfrmMain::OnCtlColor(HDC dc, HWND control) {
  const TControlSpec* spec = SpecOf(control);
  if (!spec || spec->kind == TControlSpec::FolderField)
    return DefaultProc(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(control));
  COLORREF colour = GetSysColor(COLOR_WINDOWTEXT);
  if (spec->colour == TControlSpec::GreyText) colour = GetSysColor(COLOR_GRAYTEXT);
  if (spec->colour == TControlSpec::Blue) colour = RGB(0, 0, 255);
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void TfrmMain::OnActivate(bool active) {
  // As a dialog does: the focused control is kept while another window is
  // active and gets the focus back, rather than the frame taking it.
  if (!active) {
    const HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) FActiveControl = focus;
    return;
  }
  FocusActiveControl();
}

void TfrmMain::FocusActiveControl() {
  // A disabled control takes no keys: Go is disabled during a run.
  if (!FActiveControl || !IsWindow(FActiveControl) || !IsWindowEnabled(FActiveControl))
    FActiveControl = IsWindowEnabled(btnAbort) ? btnAbort : btnGo;
  SetFocus(FActiveControl);
}

bool TfrmMain::OnSetCursor(HWND control) {
  if (control != lblURL && control != lblURL2) return false;
  SetCursor(LoadCursor(nullptr, IDC_HAND));
  return true;
}

void TfrmMain::FormCreate(HWND) {
  SetWindowTextA(Handle(), (std::string(kApplicationTitle) + " " + kMakerNotice).c_str());
  FApplication.SetTitle(kApplicationTitle);

  char path[261] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  folder.erase(folder.find_last_of("\\:") + 1);  // keeps the backslash; npos + 1 empties
  edtDir.SetText(folder);
}

void TfrmMain::edtDirChange(HWND) { UpdateDiskInfo(); }

void TfrmMain::UpdateDiskInfo() { ProbeFolder(edtDir.Text()); }

void TfrmMain::ProbeFolder(const std::string& folder) {
  const TDiskInfo info = ProbeDisk(folder, FFormatSettings.ThousandSeparator, FFileSystem);
  const TDiskFigures figures = info.FiguresAfter(ProbeFigures());
  FClusterSize = figures.ClusterSize;
  FFreeBytes = figures.FreeBytes;
  FFreeClusters = figures.FreeClusters;
  SetLabelCaption(lblClusterSize, info.ClusterSizeCaption);
  SetLabelCaption(lblFreeClusters, info.FreeClustersCaption);
}

void TfrmMain::btnAbortClick(HWND) { AbortRequested = true; }

void TfrmMain::lblURLClick(HWND Sender) { OpenLink(Sender); }

void TfrmMain::lblURL2Click(HWND Sender) { OpenLink(Sender); }

void TfrmMain::OpenLink(HWND label) {
  // Whatever happens is the shell's to tell; the window stays as it was.
  ShellExecuteA(GetDesktopWindow(), "open", WindowText(label).c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);
}

void TfrmMain::btnGoClick(HWND) {
  FRun.Execute(ProgressProc::Bind<&TfrmMain::OnWriteProgress>(this));
}

void TfrmMain::OnWriteProgress(double Fraction) { FRun.ReportProgress(Fraction); }

TDiskFigures TfrmMain::ProbeFigures() const { return {FClusterSize, FFreeBytes, FFreeClusters}; }

std::string TfrmMain::FolderText() { return edtDir.Text(); }

bool TfrmMain::WriteThrough() {
  return SendMessageA(chkWriteThrough, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TfrmMain::SetRunning(bool running) {
  // The run reads the folder and its drive between files: they stay put.
  edtDir.SetEnabled(!running);
  EnableWindow(btnGo, !running);
  EnableWindow(btnAbort, running);
  if (running) return;
  // Abort had the focus, or nothing had: Go takes it, so keys work again.
  const HWND focus = GetFocus();
  if (Handle() && (!focus || !IsWindowEnabled(focus)) && GetActiveWindow() == Handle())
    SetFocus(btnGo);
}

void TfrmMain::ShowProgressControls(bool shown) {
  if (shown) {
    SendMessageA(gauge, PBM_SETPOS, 0, 0);
    FShownPosition = 0;
    ShowWindow(gauge, SW_SHOW);
    ShowWindow(lblTask, SW_SHOW);
  } else {
    ShowWindow(lblTask, SW_HIDE);
    ShowWindow(gauge, SW_HIDE);
  }
}

void TfrmMain::ShowTask(const std::string& caption) { SetLabelCaption(lblTask, caption); }

void TfrmMain::ShowProgress(const TProgress& report) {
  // Each control is written only when what it shows changes: the bar about
  // a hundred times a run, the times about once a second. Nothing here may
  // allocate or ask the system anything when nothing changes.
  if (report.Position != FShownPosition) {
    FShownPosition = report.Position;
    SendMessageA(gauge, PBM_SETPOS, static_cast<WPARAM>(report.Position), 0);
  }
  // The estimate jitters across whole seconds while the rate settles, on a
  // fast drive hundreds of times a run: shown in step with the time taken
  // (and at a run's first report), it changes about once a second.
  const bool newSecond = report.Elapsed / 1000 != FShownTakenSeconds;
  ShowDuration(lblTimeTaken, report.Elapsed, FShownTakenSeconds);
  if (newSecond || FShownLeftSeconds == kNoneShown)
    ShowDuration(lblEstimatedLeft, report.Estimate, FShownLeftSeconds);
  FApplication.ProcessMessages();
}

void TfrmMain::ResetTimeLeft() {
  SetLabelCaption(lblEstimatedLeft, "...");
  FShownLeftSeconds = kNoneShown;
}

}  // namespace brimvale
