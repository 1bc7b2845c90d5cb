// A shared library that is no design package: it exports no registration entry.
extern "C" __attribute__((visibility("default"))) int DravikSomethingElse() {
  return 1;
}
