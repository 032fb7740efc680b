// The main of every benchmark: Google Benchmark's, run with the allocator held
// in a steady state. By default glibc hands memory back to the kernel when the
// top of the heap is freed and serves large blocks by mmap, so a benchmark
// that builds and frees a large document pays fresh page faults in every
// iteration, and how many depends on the order of frees rather than on the
// work measured. Keeping freed memory (as a long-running process does once
// its heap has grown) makes the two sides of each comparison pay for their
// own work only.
//
// A thread is started and joined first. While a process has never had a
// second thread, glibc's malloc and free skip their arena locks; a benchmark
// run of one thread after one of several threads did not, so the two halves of
// a comparison paid for allocation differently depending on their order in
// the run. Every component's host is multi-threaded, so all runs now pay what
// it pays.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <thread>

int main(int argc, char** argv) {
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  std::thread([] {}).join();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
