#include <windows.h>

#include "engine/UMessages.h"
#include "ui/UMessageBox.h"
#include "ui/UfrmMain.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  brimvale::TMessageBoxSink messageBox;
  brimvale::SetMessageSink(&messageBox);

  brimvale::TfrmMain frmMain;
  if (!frmMain.Create(instance)) return 1;
  ShowWindow(frmMain.Handle(), showCommand);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  brimvale::SetMessageSink(nullptr);
  return static_cast<int>(message.wParam);
}
