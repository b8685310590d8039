// The canary that -fstack-protector-strong checks on leaving a function
// with a buffer. The toolchain's libssp sets it up through CryptoAPI, which
// loads the crypto provider (rsaenh.dll) by name before the program's first
// line, from the program's own folder if one lies there: the program keeps
// its own, made the way the system's own compilers make theirs.
#include <windows.h>

#include <cstdint>

extern "C" {

std::uintptr_t __stack_chk_guard = 0;

// The stack is corrupted: nothing of the program may run any more, not even
// an exception handler.
[[noreturn]] void __stack_chk_fail() {
  TerminateProcess(GetCurrentProcess(), 0xC0000409);  // STATUS_STACK_BUFFER_OVERRUN
  for (;;) {
  }
}

}  // extern "C"

namespace {

// Before any other constructor (priority 101 is the first a program may
// use), and unguarded itself, since it changes the value it would check.
__attribute__((constructor(101), no_stack_protector)) void SetUpStackGuard() {
  FILETIME time{};
  GetSystemTimeAsFileTime(&time);
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  std::uintptr_t guard = time.dwLowDateTime ^ time.dwHighDateTime ^ GetCurrentProcessId() ^
                         (std::uintptr_t{GetCurrentThreadId()} << 16) ^ GetTickCount() ^
                         static_cast<std::uintptr_t>(counter.QuadPart) ^
                         static_cast<std::uintptr_t>(counter.QuadPart >> 32) ^
                         reinterpret_cast<std::uintptr_t>(&counter);
  // A zero byte first stops a string copy from writing a valid canary.
  __stack_chk_guard = guard & ~std::uintptr_t{0xFF};
  if (__stack_chk_guard == 0) __stack_chk_guard = 0x2B992D00;
}

}  // namespace
