#pragma once

#include <windows.h>

// Seconds on the performance counter, for timing whole runs.
inline double Now() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}
