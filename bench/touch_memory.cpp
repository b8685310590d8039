// Writes to every page of a large block and frees it again. This host hands
// freed memory back to its hypervisor, and the first touch of such memory is
// slow; touching it before each timed run makes the runs start alike.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
  const std::size_t mebibytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 2048;
  const std::size_t bytes = mebibytes << 20;
  const std::unique_ptr<volatile char[]> block(new (std::nothrow) volatile char[bytes]);
  if (!block) {
    std::fprintf(stderr, "touch_memory: cannot allocate %zu MiB\n", mebibytes);
    return 1;
  }
  for (std::size_t i = 0; i < bytes; i += 4096) block[i] = 1;
  return 0;
}
