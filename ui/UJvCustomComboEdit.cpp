#include "ui/UJvCustomComboEdit.h"

#include <commctrl.h>
#include <vssym32.h>

#include "ui/UApplication.h"
#include "ui/UControls.h"
#include "ui/UWindow.h"

namespace brimvale {
namespace {

// Multi-line so that the text rectangle can leave room for the button. A
// multi-line box without ES_AUTOVSCROLL refuses text that would need a
// second line, so a pasted line break would lose the whole paste rather
// than be cut off after it.
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | ES_MULTILINE |
                         ES_AUTOHSCROLL | ES_AUTOVSCROLL;
// WM_SYSKEYDOWN's context code: Alt was held.
constexpr LPARAM kAltHeldBit = LPARAM{1} << 29;
// The field is at least its font's text height plus this many border heights.
constexpr int kBordersAroundText = 8;
// The themed frame's width; the classic sunken edge is two pixels.
constexpr int kThemedFrame = 1;
// The text rectangle stops short of the button by two pixels for the border
// and three more of a gap.
constexpr int kBorderAllowance = 2, kGapBeforeButton = 3;

// Typed characters pass through the OEM code page, except where that page
// would lose what the process's holds: UTF-8 with an OEM page that is not.
DWORD OemConversion() { return GetACP() != CP_UTF8 || GetOEMCP() == CP_UTF8 ? ES_OEMCONVERT : 0; }

}  // namespace

bool VisualStylesActive() { return dll::IsThemeActive() && dll::IsAppThemed(); }

TJvCustomComboEdit::TJvCustomComboEdit(const TApplication& application)
    : TSubclassedWindow(application), FButton(application), FStyleQuery(VisualStylesActive) {
  FButton.Themed = [this] { return Themed(); };
  FButton.OnClick = [this] { DoClick(); };
}

TJvCustomComboEdit::~TJvCustomComboEdit() {
  if (FHandle) DestroyWindow(FHandle);
}

void TJvCustomComboEdit::SetVisualStyleQuery(TVisualStyleQuery query) {
  FStyleQuery = query ? std::move(query) : TVisualStyleQuery(VisualStylesActive);
  if (!FHandle) return;
  SystemColorsChanged();
  FrameChanged();
}

HWND TJvCustomComboEdit::Create(HWND parent, int id, const RECT& bounds, HFONT font,
                                const char* text) {
  FHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", text, kStyle | OemConversion(), bounds.left,
                            bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleA(nullptr), nullptr);
  if (!FHandle) return nullptr;
  FAnnouncedText = text ? text : "";
  Subclass(FHandle);
  if (!FButton.Create(FHandle)) {
    DestroyWindow(FHandle);
    return nullptr;
  }
  FrameChanged();
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  WindowCreated();
  return FHandle;
}

std::string TJvCustomComboEdit::Text() const {
  return FHandle ? WindowText(FHandle) : std::string();
}

void TJvCustomComboEdit::SetText(const std::string& text) {
  // The set-text request announces the change (OnSetText).
  if (FHandle && text != Text())
    SendMessageA(FHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TJvCustomComboEdit::Change() {
  FAnnouncedText = Text();
  FAnnouncedThisMessage = true;
  if (OnChange) OnChange();
}

void TJvCustomComboEdit::SetEnabled(bool enabled) {
  // The button follows in OnEnable; each call, even one that changes
  // nothing, costs most of a millisecond under Wine.
  EnableWindow(FHandle, enabled);
}

bool TJvCustomComboEdit::ReadOnly() const {
  return FHandle && (GetWindowLongA(FHandle, GWL_STYLE) & ES_READONLY);
}

void TJvCustomComboEdit::WindowGone() {
  FHandle = nullptr;
  FEditTheme.Reset();
}

LRESULT TJvCustomComboEdit::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return dll::DefSubclassProc(FHandle, message, wParam, lParam);
}

bool TJvCustomComboEdit::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT TJvCustomComboEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // One edit of the box is one outermost message, with whatever it sends.
  if (FMessageDepth++ == 0) FAnnouncedThisMessage = false;
  struct TLeave {
    int& depth;
    ~TLeave() { --depth; }
  } leave{FMessageDepth};
  LRESULT result = 0;
  if (HandleMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case CN_COMMAND:
      if (HIWORD(wParam) != EN_CHANGE) break;
      OnChangeNotice();
      return 1;
    case WM_SETTEXT:
      return OnSetText(wParam, lParam);
    case WM_CLEAR:
      OnClear();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return OnKeyDown(message, wParam, lParam);
    case WM_CHAR:
      if (OnChar(wParam)) return 0;
      break;
    case WM_GETDLGCODE:
      // Not the multi-line box's "all keys": Tab moves on, Enter and Esc
      // belong to the window.
      return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    case WM_LBUTTONDOWN:
      return OnLeftButtonDown(wParam, lParam);
    case WM_SETFOCUS:
      return OnSetFocus(wParam, lParam);
    case WM_SETFONT:
      return OnSetFont(wParam, lParam);
    case WM_SIZE:
      return OnSize(wParam, lParam);
    case WM_NCCALCSIZE:
      return OnNcCalcSize(wParam, lParam);
    case WM_NCPAINT:
      if (!HasThemedFrame()) break;
      OnNcPaint(reinterpret_cast<HRGN>(wParam));
      return 0;
    case WM_SETCURSOR:
      if (!OnSetCursor(reinterpret_cast<HWND>(wParam))) break;
      return TRUE;
    case WM_ENABLE:
      return OnEnable(wParam, lParam);
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      return OnColorsChanged(message, wParam, lParam);
    case WM_STYLECHANGED:
      return OnStyleChanged(wParam, lParam);
    case WM_DESTROY:
      WindowDestroying();
      break;
  }
  return CallDefault(message, wParam, lParam);
}

void TJvCustomComboEdit::OnChangeNotice() {
  // Wine's edit box announces one Undo twice: a second notice of the same
  // edit with the same text is that one again. A paste of the text that
  // stands is a change of its own.
  if (!FAnnouncedThisMessage || Text() != FAnnouncedText) Change();
}

void TJvCustomComboEdit::OnClear() {
  // The context menu's Delete empties the whole text, whatever is selected.
  if (!ReadOnly()) SetText("");
}

LRESULT TJvCustomComboEdit::OnLeftButtonDown(WPARAM wParam, LPARAM lParam) {
  FLeftButtonDown = true;
  const LRESULT result = CallDefault(WM_LBUTTONDOWN, wParam, lParam);
  FLeftButtonDown = false;
  return result;
}

LRESULT TJvCustomComboEdit::OnSetFocus(WPARAM wParam, LPARAM lParam) {
  // Entering from another control selects all; the window getting its focus
  // back (after the browser, or from another program) does not.
  const HWND previous = reinterpret_cast<HWND>(wParam);
  const bool fromControl =
      previous && previous != FHandle && IsChild(GetAncestor(FHandle, GA_ROOT), previous);
  const LRESULT result = CallDefault(WM_SETFOCUS, wParam, lParam);
  if (AutoSelect && !FLeftButtonDown && fromControl) SendMessageA(FHandle, EM_SETSEL, 0, -1);
  return result;
}

LRESULT TJvCustomComboEdit::OnSetFont(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallDefault(WM_SETFONT, wParam, lParam);
  EnsureMinimumHeight();
  // Changing the font resets the edit box's text rectangle.
  UpdateEditRect();
  return result;
}

LRESULT TJvCustomComboEdit::OnSize(WPARAM wParam, LPARAM lParam) {
  // The edit box resets its text rectangle to the whole client area.
  const LRESULT result = CallDefault(WM_SIZE, wParam, lParam);
  UpdateEditRect();
  return result;
}

LRESULT TJvCustomComboEdit::OnStyleChanged(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallDefault(WM_STYLECHANGED, wParam, lParam);
  if (wParam == static_cast<WPARAM>(GWL_EXSTYLE)) FrameChanged();
  return result;
}

bool TJvCustomComboEdit::OnSetCursor(HWND over) {
  // Over the button the pointer is the arrow, not the text cursor.
  if (over != FButton.Handle()) return false;
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return true;
}

LRESULT TJvCustomComboEdit::OnEnable(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallDefault(WM_ENABLE, wParam, lParam);
  EnableWindow(FButton.Handle(), static_cast<BOOL>(wParam));
  RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return result;
}

LRESULT TJvCustomComboEdit::OnColorsChanged(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallDefault(message, wParam, lParam);
  FEditTheme.Reset();
  SystemColorsChanged();
  FrameChanged();
  return result;
}

bool TJvCustomComboEdit::HasThemedFrame() const {
  return Themed() && (GetWindowLongA(FHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

LRESULT TJvCustomComboEdit::OnSetText(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallDefault(WM_SETTEXT, wParam, lParam);
  // A multi-line edit box announces no change for a set-text request.
  Change();
  return result;
}

LRESULT TJvCustomComboEdit::OnKeyDown(UINT message, WPARAM key, LPARAM lParam) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0 || (message == WM_SYSKEYDOWN && (lParam & kAltHeldBit));
  // Ctrl+Tab and Ctrl+Enter are the window's.
  if (ctrl && (key == VK_TAB || key == VK_RETURN)) {
    SendMessageA(GetAncestor(FHandle, GA_ROOT), message, key, lParam);
    return 0;
  }
  const LRESULT result = CallDefault(message, key, lParam);
  const WORD shortcut = static_cast<WORD>((key & 0xFF) | (alt ? kAltFlag : 0) |
                                          (ctrl ? kCtrlFlag : 0) | (shift ? kShiftFlag : 0));
  if (shortcut != ClickKey || ButtonWidth <= 0) return result;
  DoClick();
  return 0;
}

bool TJvCustomComboEdit::OnChar(WPARAM character) {
  switch (character) {
    case '\r':
    case VK_ESCAPE:
      OfferDialogKey(character == '\r' ? VK_RETURN : VK_ESCAPE);
      return true;
    case '\t':
    case '\n':  // Ctrl+Enter
      return true;
  }
  return false;
}

void TJvCustomComboEdit::OfferDialogKey(WPARAM key) {
  const HWND root = GetAncestor(FHandle, GA_ROOT);
  int id = IDCANCEL;
  if (key == VK_RETURN) {
    const LRESULT defId = SendMessageA(root, DM_GETDEFID, 0, 0);
    if (HIWORD(defId) != DC_HASDEFID) return;
    id = LOWORD(defId);
  }
  const HWND button = GetDlgItem(root, id);
  if (button && IsWindowEnabled(button))
    SendMessageA(root, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

LRESULT TJvCustomComboEdit::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
  RECT* proposed = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                          : reinterpret_cast<RECT*>(lParam);
  const RECT outer = *proposed;
  const LRESULT result = CallDefault(WM_NCCALCSIZE, wParam, lParam);
  // The themed frame is one pixel wide, not the classic two-pixel edge.
  if (HasThemedFrame()) {
    *proposed = outer;
    InflateRect(proposed, -kThemedFrame, -kThemedFrame);
  }
  return result;
}

void TJvCustomComboEdit::OnNcPaint(HRGN) {
  TWindowDC dc(FHandle);
  RECT outer;
  GetWindowRect(FHandle, &outer);
  OffsetRect(&outer, -outer.left, -outer.top);
  ExcludeClipRect(dc.Get(), outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1);
  if (!FEditTheme) FEditTheme.Reset(dll::OpenThemeData(FHandle, L"EDIT"));
  if (FEditTheme) {
    const int state = IsWindowEnabled(FHandle) ? ETS_NORMAL : ETS_DISABLED;
    dll::DrawThemeBackground(FEditTheme.Get(), dc.Get(), EP_EDITTEXT, state, &outer, nullptr);
  } else {
    FrameRect(dc.Get(), &outer, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
}

void TJvCustomComboEdit::FrameChanged() {
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateEditRect();
  RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TJvCustomComboEdit::EnsureMinimumHeight() {
  TEXTMETRICA metrics{};
  {
    TClientDC dc(FHandle);
    TSelectObject font(dc.Get(),
                       reinterpret_cast<HGDIOBJ>(SendMessageA(FHandle, WM_GETFONT, 0, 0)));
    GetTextMetricsA(dc.Get(), &metrics);
  }
  const int minimum = metrics.tmHeight + kBordersAroundText * GetSystemMetrics(SM_CYBORDER);
  RECT bounds;
  GetWindowRect(FHandle, &bounds);
  if (bounds.bottom - bounds.top < minimum)
    SetWindowPos(FHandle, nullptr, 0, 0, bounds.right - bounds.left, minimum,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TJvCustomComboEdit::TextRect() const {
  RECT outer, client;
  GetWindowRect(FHandle, &outer);
  GetClientRect(FHandle, &client);
  const int width = outer.right - outer.left;
  const int right = width - (ButtonWidth + kBorderAllowance) - kGapBeforeButton;
  return Themed() ? RECT{kThemedFrame, kThemedFrame, right - kThemedFrame, client.bottom - 1}
                  : RECT{0, 2, right, client.bottom - 1};
}

void TJvCustomComboEdit::UpdateEditRect() {
  if (!FHandle) return;
  RECT client;
  GetClientRect(FHandle, &client);
  const RECT text = TextRect();
  SendMessageA(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
  if (FButton.Handle())
    SetWindowPos(FButton.Handle(), nullptr, client.right - ButtonWidth, 0, ButtonWidth,
                 client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace brimvale
