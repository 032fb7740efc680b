// A stand-in for an installed banking component: a shared object that exists
// only to carry a version resource for the trace file header to report.
extern "C" __attribute__((visibility("default"))) int EbankTestComponent() {
  return 1;
}
