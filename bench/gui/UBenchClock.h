#pragma once

#include <windows.h>

#include <cstdint>

// Seconds on the performance counter, for timing whole runs.
inline double Now() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The performance counter's ticks, and a span of them in microseconds.
inline std::int64_t BenchCounter() {
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return count.QuadPart;
}

inline double BenchMicroseconds(std::int64_t ticks) {
  static const double perTick = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1e6 / static_cast<double>(frequency.QuadPart);
  }();
  return static_cast<double>(ticks) * perTick;
}
