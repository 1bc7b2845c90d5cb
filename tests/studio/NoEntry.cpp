// A shared library that is no design package: it has no registration entry.
extern "C" __attribute__((visibility("default"))) int DravikNotAPackage() {
  return 0;
}
