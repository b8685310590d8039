#include "app/UProgram.h"

#include <commctrl.h>

#include "engine/UMessages.h"
#include "ui/UApplication.h"
#include "ui/UMessageBox.h"
#include "ui/UOwners.h"
#include "ui/USystemLibraries.h"
#include "ui/UfrmMain.h"

namespace brimvale {

int RunProgram(HINSTANCE instance, int showCommand, TDllSearch search) {
  // Before anything loads a DLL by name: the program may have been started
  // from a folder where anyone can leave one.
  LoadSystemLibraries(search == TDllSearch::Restricted);

  // The shell calls and the folder browser expect a single-threaded apartment.
  TComInitializer com;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  dll::InitCommonControlsEx(&controls);

  TApplication application(instance);
  TMessageBoxSink messageBox(application);
  SetMessageSink(&messageBox);

  int exitCode = 1;
  {
    TfrmMain frmMain(application);
    if (frmMain.Create()) {
      frmMain.Show(showCommand);
      application.Run();
      exitCode = 0;
    }
  }
  SetMessageSink(nullptr);
  return exitCode;
}

}  // namespace brimvale
