#include "ui/UfrmMain.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "engine/UDiskInfo.h"
#include "engine/UDuration.h"
#include "engine/UGlobals.h"
#include "engine/UPathText.h"
#include "engine/platform/ULocale.h"
#include "engine/platform/UWin32Text.h"
#include "ui/UApplication.h"
#include "ui/UControls.h"
#include "ui/UFileUtil.h"
#include "ui/ULinkColour.h"

namespace brimvale {

namespace {

constexpr char kClassName[] = "TfrmMain";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kLeft = 293, kTop = 110, kClientWidth = 410, kClientHeight = 408;
constexpr int kFontHeight = -11;  // "MS Sans Serif", 8 points at 96 dpi
constexpr char kMakerNotice[] = "- freeware by Tavor Software";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which dialog keys send

const char kHelpText[] =
    "This application creates empty files filled with zeros (char 0) in order to fill a disk "
    "drive completely. Later, you can shred the files to ensure complete deletion of any unused "
    "drive space.";

}  // namespace

struct TfrmMain::TControlRow {
  enum TKind { GroupBox, Label, WrappedLabel, LinkLabel, Button, CheckBox, FolderField, Gauge };
  // Blue: pure blue, or what a high-contrast scheme can show (ULinkColour).
  enum TColour { WindowText, GreyText, Blue };
  // In the layout's pixels, relative to the parent's client area.
  struct TBounds {
    int left, top, width, height;
  };

  TKind kind;
  HWND TfrmMain::*member = nullptr;  // nullptr for the folder field, an object of its own
  HWND TfrmMain::*parent = nullptr;  // nullptr for the window itself
  TBounds bounds;
  const char* text = "";
  TColour colour = WindowText;
  bool bold = false;
  bool enabled = true;
  bool visible = true;
  void (TfrmMain::*event)(HWND) = nullptr;
};

namespace {

using TRow = TfrmMain::TControlRow;
constexpr HWND TfrmMain::*kWindow = nullptr;

}  // namespace

// The window's layout at 96 dpi, one row per control, in the order the
// controls are created: the order Tab follows among each parent's children,
// every group box before what it holds, and each label right before the
// control it names (screen readers name a control after the text before it
// in z-order; labels are no tab stops). Labels size themselves to their text.
// clang-format off
static constexpr TRow kLayout[] = {
    {.kind = TRow::Button, .member = &TfrmMain::btnGo, .bounds = {284, 272, 119, 29}, .text = "Go", .event = &TfrmMain::btnGoClick},
    {.kind = TRow::Button, .member = &TfrmMain::btnAbort, .bounds = {204, 272, 75, 29}, .text = "Abort", .enabled = false, .event = &TfrmMain::btnAbortClick},
    {.kind = TRow::GroupBox, .member = &TfrmMain::GroupBox1, .bounds = {4, 208, 400, 57}, .text = " Disk Attributes "},
    {.kind = TRow::Label, .member = &TfrmMain::Label3, .parent = &TfrmMain::GroupBox1, .bounds = {8, 16, 56, 13}, .text = "Cluster size:", .colour = TRow::GreyText},
    {.kind = TRow::Label, .member = &TfrmMain::lblClusterSize, .parent = &TfrmMain::GroupBox1, .bounds = {76, 16, 13, 13}, .text = "...", .colour = TRow::GreyText, .bold = true},
    {.kind = TRow::Label, .member = &TfrmMain::Label6, .parent = &TfrmMain::GroupBox1, .bounds = {8, 36, 64, 13}, .text = "Free Clusters:", .colour = TRow::GreyText},
    {.kind = TRow::Label, .member = &TfrmMain::lblFreeClusters, .parent = &TfrmMain::GroupBox1, .bounds = {76, 36, 13, 13}, .text = "...", .colour = TRow::GreyText, .bold = true},
    {.kind = TRow::GroupBox, .member = &TfrmMain::GroupBox2, .bounds = {4, 112, 400, 89}, .text = " Program Options "},
    {.kind = TRow::Label, .member = &TfrmMain::Label2, .parent = &TfrmMain::GroupBox2, .bounds = {8, 20, 121, 13}, .text = "Folder to generate files in:"},
    {.kind = TRow::FolderField, .parent = &TfrmMain::GroupBox2, .bounds = {8, 36, 381, 21}, .text = "edtDir"},
    {.kind = TRow::CheckBox, .member = &TfrmMain::chkWriteThrough, .parent = &TfrmMain::GroupBox2, .bounds = {8, 64, 261, 17}, .text = "No OS optimisation (writes directly to disk - slow)"},
    {.kind = TRow::GroupBox, .member = &TfrmMain::GroupBox3, .bounds = {4, 4, 400, 105}, .text = " Help"},
    {.kind = TRow::WrappedLabel, .member = &TfrmMain::Label1, .parent = &TfrmMain::GroupBox3, .bounds = {8, 16, 385, 45}, .text = kHelpText, .colour = TRow::GreyText},
    {.kind = TRow::Label, .member = &TfrmMain::Label8, .parent = &TfrmMain::GroupBox3, .bounds = {40, 66, 55, 15}, .text = "Homepage:", .colour = TRow::GreyText},
    {.kind = TRow::LinkLabel, .member = &TfrmMain::lblURL, .parent = &TfrmMain::GroupBox3, .bounds = {116, 66, 106, 13}, .text = "http://www.tavor-software.example/", .colour = TRow::Blue, .event = &TfrmMain::lblURLClick},
    {.kind = TRow::Label, .member = &TfrmMain::Label9, .parent = &TfrmMain::GroupBox3, .bounds = {40, 82, 70, 13}, .text = "Brimvale's page:", .colour = TRow::GreyText},
    {.kind = TRow::LinkLabel, .member = &TfrmMain::lblURL2, .parent = &TfrmMain::GroupBox3, .bounds = {116, 82, 186, 13}, .text = "http://www.tavor-software.example/utilities/brimvale.jsp", .colour = TRow::Blue, .event = &TfrmMain::lblURL2Click},
    {.kind = TRow::GroupBox, .member = &TfrmMain::GroupBox4, .bounds = {4, 304, 400, 97}, .text = " Progress "},
    {.kind = TRow::Gauge, .member = &TfrmMain::gauge, .parent = &TfrmMain::GroupBox4, .bounds = {4, 72, 392, 17}, .visible = false},
    {.kind = TRow::Label, .member = &TfrmMain::Label5, .parent = &TfrmMain::GroupBox4, .bounds = {8, 16, 60, 13}, .text = "Time Taken:"},
    {.kind = TRow::Label, .member = &TfrmMain::lblTimeTaken, .parent = &TfrmMain::GroupBox4, .bounds = {108, 16, 13, 13}, .text = "...", .bold = true},
    {.kind = TRow::Label, .member = &TfrmMain::Label4, .parent = &TfrmMain::GroupBox4, .bounds = {8, 36, 96, 13}, .text = "Estimated Time Left:"},
    {.kind = TRow::Label, .member = &TfrmMain::lblEstimatedLeft, .parent = &TfrmMain::GroupBox4, .bounds = {108, 36, 13, 13}, .text = "...", .bold = true},
    {.kind = TRow::Label, .member = &TfrmMain::lblTask, .parent = &TfrmMain::GroupBox4, .bounds = {8, 56, 9, 13}, .text = "...", .colour = TRow::GreyText, .visible = false},
};
// clang-format on

namespace {

// Every parent stands in an earlier row than its children, so that one
// pass creates them all.
constexpr bool ParentsComeFirst() {
  for (std::size_t index = 0; index < std::size(kLayout); ++index) {
    if (kLayout[index].parent == kWindow) continue;
    bool found = false;
    for (std::size_t earlier = 0; earlier < index; ++earlier)
      found = found || (kLayout[earlier].member == kLayout[index].parent &&
                        kLayout[earlier].kind == TRow::GroupBox);
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
  // Owned by the application window, which carries the taskbar button. The
  // caption given here never shows: FormCreate replaces it.
  if (!FApplication.CreateHandle() || !CreateHandle(windowClass, WS_EX_CONTROLPARENT, "frmMain",
                                                    kStyle, frame, FApplication.Handle()))
    return false;
  FitClientArea(FScale(kClientWidth), FScale(kClientHeight));
  FLinkColour = SystemLinkColour();
  if (!CreateControls()) return false;
  KeepCaptionsClearOfLinks();
  FormCreate(Handle());
  return true;
}

void TfrmMain::FitClientArea(int width, int height) {
  // The frame that AdjustWindowRectEx reckons with need not be the one
  // drawn: a system that scales a program unaware of the resolution may
  // answer with the screen's frame and draw that of 96 dpi. The client area
  // is what the layout needs, so the outer size takes up the difference.
  // Minimised, the window has no client area to measure.
  if (IsIconic(Handle())) return;
  RECT client, outer;
  GetClientRect(Handle(), &client);
  const int dx = width - client.right, dy = height - client.bottom;
  if (dx == 0 && dy == 0) return;
  GetWindowRect(Handle(), &outer);
  SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left + dx,
               outer.bottom - outer.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TfrmMain::CreateControl(const TControlRow& row, HWND parent, int id) {
  DWORD style = WS_CHILD | (row.visible ? WS_VISIBLE : 0) | (row.enabled ? 0 : WS_DISABLED);
  DWORD exStyle = 0;
  const char* windowClass = "Static";
  switch (row.kind) {
    case TControlRow::GroupBox:
      windowClass = "Button";
      style |= BS_GROUPBOX;
      exStyle |= WS_EX_CONTROLPARENT;  // Tab walks into its children
      break;
    case TControlRow::Label:
      style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
      break;
    case TControlRow::WrappedLabel:
      style |= SS_LEFT | SS_NOPREFIX;
      break;
    case TControlRow::LinkLabel:
      style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;
      break;
    case TControlRow::Button:
      windowClass = "Button";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case TControlRow::CheckBox:
      windowClass = "Button";
      style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      break;
    case TControlRow::Gauge:
      windowClass = PROGRESS_CLASSA;
      break;
    case TControlRow::FolderField:
      return nullptr;  // the field creates its own window
  }
  const RECT bounds = ScaledBounds(row);
  const HWND control = CreateWindowExA(
      exStyle, windowClass, row.text, style, bounds.left, bounds.top, bounds.right - bounds.left,
      bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      FApplication.Instance(), nullptr);
  if (!control) return nullptr;
  SendMessageA(control, WM_SETFONT,
               reinterpret_cast<WPARAM>(row.bold ? FBoldFont.Get() : FControlFont.Get()), FALSE);
  if (row.kind == TControlRow::GroupBox) ForwardChildNotifications(control);
  if (row.kind == TControlRow::Label || row.kind == TControlRow::LinkLabel)
    FitLabelToText(control, row.text);
  return control;
}

bool TfrmMain::CreateControls() {
  // Creation order is the order Tab follows among siblings: the table's.
  for (std::size_t index = 0; index < std::size(kLayout); ++index) {
    const TControlRow& row = kLayout[index];
    const HWND parent = row.parent == kWindow ? Handle() : this->*row.parent;
    const int id = kFirstControlId + static_cast<int>(index);
    if (row.kind == TControlRow::FolderField) {
      if (!edtDir.Create(parent, id, ScaledBounds(row), FControlFont.Get(), row.text)) return false;
    } else {
      this->*row.member = CreateControl(row, parent, id);
      if (!(this->*row.member)) return false;
    }
  }
  return true;
}

void TfrmMain::KeepCaptionsClearOfLinks() {
  // The captions size themselves to their text, which some faces make
  // wider than laid out. The column keeps its laid-out left edge unless the
  // wider caption would then end less than the laid-out gap before the
  // links; the links stay where they are.
  const HWND captions[] = {Label8, Label9};
  int laidOutEnd = 0, widest = 0;
  for (const HWND caption : captions) {
    const TControlRow::TBounds& laidOut = RowOf(caption)->bounds;
    laidOutEnd = std::max(laidOutEnd, laidOut.left + laidOut.width);
    RECT bounds;
    GetWindowRect(caption, &bounds);
    widest = std::max(widest, static_cast<int>(bounds.right - bounds.left));
  }
  const int links = RowOf(lblURL)->bounds.left;
  // Never past the group's margin, where the help text starts.
  const int left = std::max(FScale(links) - FScale(links - laidOutEnd) - widest,
                            FScale(RowOf(Label1)->bounds.left));
  for (const HWND caption : captions) {
    const RECT laidOut = ScaledBounds(*RowOf(caption));
    if (left < laidOut.left)
      SetWindowPos(caption, nullptr, left, laidOut.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

RECT TfrmMain::ScaledBounds(const TControlRow& row) const {
  return FScale.Bounds(row.bounds.left, row.bounds.top, row.bounds.width, row.bounds.height);
}

const TfrmMain::TControlRow* TfrmMain::RowOf(HWND control) const {
  const int row = GetDlgCtrlID(control) - kFirstControlId;
  if (row < 0 || row >= static_cast<int>(std::size(kLayout))) return nullptr;
  return &kLayout[row];
}

SIZE TfrmMain::LabelSizeFor(HWND label, const char* text) const {
  TMemoryDC dc;
  TSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
  RECT bounds{0, 0, 0, 0};
  // Wide: GDI reads 8-bit text in the system's code page, which need not be
  // the process's (UTF-8 where Windows offers it).
  const std::wstring wide = WideText(*text ? text : " ");
  DrawTextW(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &bounds,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  // A bold face made from the plain one paints one overhang wider than its
  // characters measure. An empty caption keeps the line's height.
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  return SIZE{*text ? bounds.right + metrics.tmOverhang : 0, bounds.bottom};
}

void TfrmMain::SetLabelCaption(HWND label, const std::string& caption) {
  if (WindowText(label) == caption) return;
  SetLabelText(label, caption.c_str());
}

namespace {

constexpr UINT kResize = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;

// Calls `visit` with each part of `area` (in the client coordinates of the
// group box `box`) that lies on the box's frame, its etched line and a
// margin; true when there is one.
template <class TVisit>
bool ForEachFramePart(HWND box, const RECT& area, TVisit visit) {
  RECT inner;
  GetClientRect(box, &inner);
  const RECT whole = inner;
  const int edge = 2 * GetSystemMetrics(SM_CXEDGE);
  InflateRect(&inner, -edge, -edge);
  const RECT bands[] = {{whole.left, whole.top, inner.left, whole.bottom},
                        {inner.right, whole.top, whole.right, whole.bottom},
                        {whole.left, whole.top, whole.right, inner.top},
                        {whole.left, inner.bottom, whole.right, whole.bottom}};
  bool found = false;
  for (const RECT& band : bands) {
    RECT part;
    if (!IntersectRect(&part, &band, &area)) continue;
    visit(part);
    found = true;
  }
  return found;
}

}  // namespace

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
  if (cover.cx != oldSize.cx || cover.cy != oldSize.cy)
    SetWindowPos(label, nullptr, 0, 0, cover.cx, cover.cy, kResize);
  SetWindowTextA(label, caption);
  if (size.cx == cover.cx && size.cy == cover.cy) return;
  const HWND parent = GetParent(label);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&old), 2);
  // During a run a label keeps its width until the run ends: resizing a
  // window costs as much as painting it (half a millisecond under Wine),
  // about twice a file, and the wider label shows nothing more. Except
  // where a long caption covered the group box's frame, which shows again
  // at once.
  if (FRunning && !ForEachFramePart(parent, old, [](const RECT&) {})) {
    if (std::find(FWiderThanText.begin(), FWiderThanText.end(), label) == FWiderThanText.end())
      FWiderThanText.push_back(label);
    return;
  }
  UpdateWindow(label);
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, kResize);
  const RECT strips[] = {{old.left + size.cx, old.top, old.right, old.bottom},
                         {old.left, old.top + size.cy, old.right, old.bottom}};
  for (const RECT& strip : strips)
    ForEachFramePart(parent, strip,
                     [parent](const RECT& part) { InvalidateRect(parent, &part, TRUE); });
}

void TfrmMain::FitLabelToText(HWND label, const char* text) {
  // Before the window shows, or where a run left the label wider than its
  // text: the label's background, which needs no painting where it goes.
  RECT bounds;
  GetWindowRect(label, &bounds);
  const SIZE size = LabelSizeFor(label, text);
  if (size.cx != bounds.right - bounds.left || size.cy != bounds.bottom - bounds.top)
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, kResize);
}

void TfrmMain::FitLabelsToText() {
  for (const HWND label : FWiderThanText) FitLabelToText(label, WindowText(label).c_str());
  FWiderThanText.clear();
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
      return OnCtlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
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
      FollowLinkColour();
      break;
    case WM_THEMECHANGED: {
      // A new theme or caption size changes the frame, which the default
      // handling may still recalculate; the system keeps the outer size,
      // and the client area would follow.
      const LRESULT result = DefaultProc(message, wParam, lParam);
      FitClientArea(FScale(kClientWidth), FScale(kClientHeight));
      return result;
    }
    case WM_SETTINGCHANGE:
      FFormatSettings = ReadFormatSettings();
      if (wParam == SPI_SETNONCLIENTMETRICS)
        FitClientArea(FScale(kClientWidth), FScale(kClientHeight));
      if (wParam == SPI_SETHIGHCONTRAST) FollowLinkColour();
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
  const TControlRow* row = RowOf(control);
  // BN_CLICKED and STN_CLICKED are both 0.
  if (row && row->event && HIWORD(wParam) == BN_CLICKED) (this->*row->event)(control);
  return 0;
}

LRESULT TfrmMain::OnCtlColor(UINT message, HDC dc, HWND control) {
  const TControlRow* row = RowOf(control);
  if (!row || row->kind == TControlRow::FolderField)
    return DefaultProc(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  COLORREF colour = GetSysColor(COLOR_WINDOWTEXT);
  if (row->colour == TControlRow::GreyText) colour = GetSysColor(COLOR_GRAYTEXT);
  if (row->colour == TControlRow::Blue) colour = FLinkColour;
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

void TfrmMain::KeepTheKeyboard(bool running) {
  const HWND focus = GetFocus();
  const bool active = Handle() && GetActiveWindow() == Handle();
  if (running) {
    // Go drops the focus as it is disabled, and keys would reach no window.
    // The window itself takes it, as a dialog with no control to focus
    // does, so that Tab goes on to Abort. Not Abort at once: the Enter that
    // started the run, held down (it repeats) or pressed twice, would press
    // it.
    if (!focus && active) {
      FActiveControl = Handle();
      SetFocus(Handle());
    }
    return;
  }
  // Abort had the focus, or the window itself, or nothing: Go takes it, so
  // keys work again.
  if (FActiveControl == Handle()) FActiveControl = btnGo;
  if (active && (!focus || focus == Handle() || !IsWindowEnabled(focus))) SetFocus(btnGo);
}

void TfrmMain::FollowLinkColour() {
  const COLORREF colour = SystemLinkColour();
  if (colour == FLinkColour) return;
  FLinkColour = colour;
  for (const HWND link : {lblURL, lblURL2}) InvalidateRect(link, nullptr, TRUE);
}

bool TfrmMain::OnSetCursor(HWND control) {
  if (control != lblURL && control != lblURL2) return false;
  SetCursor(LoadCursor(nullptr, IDC_HAND));
  return true;
}

void TfrmMain::FormCreate(HWND) {
  SetWindowTextA(Handle(), (std::string(kApplicationTitle) + " " + kMakerNotice).c_str());
  FApplication.SetTitle(kApplicationTitle);

  edtDir.SetText(FolderOf(ProgramPath()));
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
  FRunning = running;
  if (!running) FitLabelsToText();
  edtDir.SetEnabled(!running);
  EnableWindow(btnGo, !running);
  EnableWindow(btnAbort, running);
  KeepTheKeyboard(running);
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
