#include "ui/UMessageBox.h"

#include <windows.h>

#include "ui/UApplication.h"

namespace brimvale {

void TMessageBoxSink::Show(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), kApplicationTitle, MB_OK | MB_TASKMODAL);
}

}  // namespace brimvale
