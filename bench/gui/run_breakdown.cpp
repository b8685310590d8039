// Where a whole fill run of the real main window spends its time, measured
// in-process on a real drive: every call of the file system timed through a
// wrapper around the system's, the progress report between two writes, and
// what is left per file and per run, which is the window's own work.
//   gui_run_breakdown <drive root, e.g. T:\> [rounds]
// Prints one line per round, in milliseconds:
//   total=... writes=... reports=... report_us=... files=... file_calls=... file_window=...
//   start=... closing=... cpu=... threads=...
// reports: from the end of one write to the start of the next (the progress
// callback and the writer's loop); file_calls: creating, flushing and
// closing files, the name search and the probes; file_window: the rest
// between the files (the task line, the probe's labels); start and closing:
// the run's first steps before its first file and its closing steps; cpu:
// the processor time of the process's threads meanwhile (1/100 s steps under
// Wine), threads: how many there are.
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <optional>
#include <vector>

#include "UBenchClock.h"
#include "engine/platform/UFileSystem.h"
#include "ui/UApplication.h"
#include "ui/UOwners.h"
#include "ui/USystemLibraries.h"
#include "ui/UfrmMain.h"

namespace {

using namespace brimvale;

double Milliseconds(std::int64_t ticks) { return BenchMicroseconds(ticks) / 1000; }

// The system's file services, each call recorded with its start and end.
class TTimedFileSystem final : public TFileSystem {
 public:
  enum TKind { kWrite, kCreate, kFlush, kClose, kOther };
  struct TCall {
    TKind kind;
    std::int64_t start, end;
  };
  std::vector<TCall> calls;

  template <class TCallable>
  auto Timed(TKind kind, TCallable call) {
    const std::int64_t start = BenchCounter();
    const auto result = call();
    calls.push_back({kind, start, BenchCounter()});
    return result;
  }

  bool ClusterBytes(const char* root, std::uint32_t& bytes) override {
    return Timed(kOther, [&] { return FSystem.ClusterBytes(root, bytes); });
  }
  bool FreeBytesAvailable(const char* root, std::int64_t& bytes) override {
    return Timed(kOther, [&] { return FSystem.FreeBytesAvailable(root, bytes); });
  }
  TFileHandle CreateNew(const std::string& path, bool writeThrough, bool& nameTaken) override {
    return Timed(kCreate, [&] { return FSystem.CreateNew(path, writeThrough, nameTaken); });
  }
  bool Write(TFileHandle file, const void* data, std::uint32_t count,
             std::uint32_t& written) override {
    return Timed(kWrite, [&] { return FSystem.Write(file, data, count, written); });
  }
  void Flush(TFileHandle file) override {
    Timed(kFlush, [&] {
      FSystem.Flush(file);
      return true;
    });
  }
  bool Close(TFileHandle file) override {
    return Timed(kClose, [&] { return FSystem.Close(file); });
  }
  bool FileExists(const std::string& path) override {
    return Timed(kOther, [&] { return FSystem.FileExists(path); });
  }

 private:
  TFileSystem& FSystem = SystemFileSystem();
};

// Processor time (user and kernel, ms) of each thread of this process: work
// of a thread that the platform starts beside the window shows here.
std::vector<std::pair<DWORD, double>> ThreadTimes() {
  std::vector<std::pair<DWORD, double>> times;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != GetCurrentProcessId()) continue;
    const HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
    FILETIME created, exited, kernel, user;
    if (thread && GetThreadTimes(thread, &created, &exited, &kernel, &user)) {
      const auto ms = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime) /
               1e4;
      };
      times.emplace_back(entry.th32ThreadID, ms(kernel) + ms(user));
    }
    if (thread) CloseHandle(thread);
  }
  CloseHandle(snapshot);
  return times;
}

void EmptyRoot(const std::string& root) {
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA((root + "_filldrive_*.dat").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do DeleteFileA((root + entry.cFileName).c_str());
  while (FindNextFileA(search, &entry));
  FindClose(search);
}

}  // namespace

int main(int argc, char** argv) {
  brimvale::LoadSystemLibraries();  // as the program starts
  if (argc < 2) {
    std::fprintf(stderr, "usage: gui_run_breakdown <drive root> [rounds]\n");
    return 2;
  }
  const std::string root = argv[1];
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  // As the program starts: a single-threaded apartment, which the folder
  // field's completion needs, and the common controls.
  std::optional<TComInitializer> com;
  if (!std::getenv("GUI_BENCH_NO_COM")) com.emplace();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  brimvale::dll::InitCommonControlsEx(&controls);
  TApplication application(GetModuleHandleA(nullptr));
  TTimedFileSystem disk;
  TfrmMain form(application, disk);
  if (!form.Create()) return 1;
  form.Show(SW_SHOWNORMAL);
  form.edtDir.SetText(root);
  application.ProcessMessages();

  for (int round = 0; round < rounds; ++round) {
    EmptyRoot(root);
    application.ProcessMessages();
    disk.calls.clear();
    disk.calls.reserve(1 << 16);
    const auto threadsBefore = ThreadTimes();
    const std::int64_t go = BenchCounter();
    SendMessageA(form.btnGo, BM_CLICK, 0, 0);
    const std::int64_t end = BenchCounter();
    double cpu = 0;
    int threads = 0;
    for (const auto& [id, after] : ThreadTimes()) {
      double before = 0;
      for (const auto& [oldId, time] : threadsBefore)
        if (oldId == id) before = time;
      cpu += after - before;
      ++threads;
    }

    using TKind = TTimedFileSystem::TKind;
    const auto& calls = disk.calls;
    std::int64_t writes = 0, reports = 0, fileCalls = 0, fileWindow = 0, start = 0, closing = 0;
    long long reportCount = 0, files = 0;
    std::size_t first = calls.size(), last = 0;  // the first Create, the last Close
    for (std::size_t i = 0; i < calls.size(); ++i) {
      if (calls[i].kind == TKind::kCreate && first == calls.size()) first = i;
      if (calls[i].kind == TKind::kClose) last = i;
      if (calls[i].kind == TKind::kCreate) ++files;
    }
    for (std::size_t i = 0; i < calls.size(); ++i) {
      const auto& call = calls[i];
      const std::int64_t took = call.end - call.start;
      if (call.kind == TKind::kWrite) {
        writes += took;
      } else if (i < first) {
        start += took;  // the run's first probe
      } else if (i > last) {
        closing += took;  // its last
      } else {
        fileCalls += took;
      }
      if (i + 1 == calls.size()) break;
      const std::int64_t gap = calls[i + 1].start - call.end;
      if (call.kind == TKind::kWrite) {
        reports += gap;
        ++reportCount;
      } else if (i < first) {
        start += gap;
      } else if (i >= last) {
        closing += gap;
      } else {
        fileWindow += gap;
      }
    }
    if (!calls.empty()) {
      start += calls.front().start - go;
      closing += end - calls.back().end;
    }
    std::printf(
        "total=%.2f writes=%.2f reports=%.2f report_us=%.2f files=%lld file_calls=%.2f "
        "file_window=%.2f start=%.2f closing=%.2f cpu=%.0f threads=%d\n",
        Milliseconds(end - go), Milliseconds(writes), Milliseconds(reports),
        reportCount ? Milliseconds(reports) * 1000 / static_cast<double>(reportCount) : 0.0, files,
        Milliseconds(fileCalls), Milliseconds(fileWindow), Milliseconds(start),
        Milliseconds(closing), cpu, threads);
    std::fflush(stdout);
  }
  EmptyRoot(root);
  return 0;
}
