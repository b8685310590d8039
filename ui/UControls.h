#pragma once

#include <windows.h>

#include <string>

namespace brimvale {

// Notifications reflected back to the control that sent them, so that a
// control object handles its own change notices wherever it is parented.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;

// A group box passes what its children tell their parent (commands, colour
// requests) on to the top-level window, as if they were its own children.
void ForwardChildNotifications(HWND groupBox);

// Sends a message to every window below `parent`, its children's children too.
void SendToDescendants(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);

std::string WindowText(HWND window);

}  // namespace brimvale
