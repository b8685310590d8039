#include "tests/support/TDrivesGuard.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/support/TestDrives.h"

namespace brimvale::test {
namespace {

// Wine's own export: the drive-letter path of a Unix path, from the heap.
using TDosFileName = WCHAR*(CDECL*)(const char*);

// A field of /proc/self/mountinfo, whose blanks and the like come as \ooo.
std::string Unescaped(const std::string& field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      text += static_cast<char>(std::strtol(field.substr(i + 1, 3).c_str(), nullptr, 8));
      i += 3;
    } else {
      text += field[i];
    }
  }
  return text;
}

// Whether a tmpfs of this machine is mounted where the drive letter `root`
// leads: each tmpfs mount point, turned into the path Wine gives it.
bool IsTmpfs(const char* root) {
  const auto dosFileName = reinterpret_cast<TDosFileName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (!dosFileName) return false;
  std::ifstream mounts("\\\\?\\unix\\proc\\self\\mountinfo");
  const std::wstring wanted(root, root + std::char_traits<char>::length(root));
  std::string line;
  while (std::getline(mounts, line)) {
    // ID PARENT MAJOR:MINOR ROOT MOUNT-POINT OPTIONS... - TYPE SOURCE ...
    std::istringstream fields(line);
    std::string skip, point, word;
    fields >> skip >> skip >> skip >> skip >> point;
    while (fields >> word && word != "-") {
    }
    if (!(fields >> word) || word != "tmpfs") continue;
    WCHAR* dos = dosFileName(Unescaped(point).c_str());
    const bool match = dos && lstrcmpiW(dos, wanted.c_str()) == 0;
    HeapFree(GetProcessHeap(), 0, dos);
    if (match) return true;
  }
  return false;
}

}  // namespace

std::string TestDriveProblem(const char* root, unsigned long long bytes) {
  ULARGE_INTEGER available{}, total{};
  if (!GetDiskFreeSpaceExA(root, &available, &total, nullptr))
    return std::string(root) + " is not mapped.";
  if (total.QuadPart != bytes || !IsTmpfs(root))
    return std::string(root) + " is not the tmpfs of " + std::to_string(bytes) +
           " bytes that the tests mount (it has " + std::to_string(total.QuadPart) + ").";
  return {};
}

void TDrivesGuard::SetUp() {
  std::string problems;
  for (const TTestDrive& drive : kTestDrives) {
    const std::string problem = TestDriveProblem(drive.Root, drive.Bytes);
    if (!problem.empty()) problems += "  " + problem + "\n";
  }
  if (problems.empty()) return;
  std::fprintf(stderr,
               "These tests write fill files to drives of their own, and stop here, having written "
               "nothing:\n%sRun them through ctest (scripts/test), whose set-up mounts the drives "
               "(tests/wine/setup.sh, as root).\n",
               problems.c_str());
  std::fflush(stderr);
  std::exit(1);
}

}  // namespace brimvale::test
