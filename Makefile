# Front door: `make run` and `make test` install what is missing, configure, build and run.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2

.PHONY: run studio test build deps asan-test bench fuzz format clean package deb deb-check install-check

# The demo; without a display it runs offscreen and writes its screenshots under build/.
run: build
	$(BUILD)/bin/dravik-demo

# The studio on the demo's forms; without a display its screenshots go to build/screenshots/studio.
studio: build
	$(BUILD)/bin/dravik-studio apps/demo/forms

# The shipped folder, build/package: the installer beside the files it installs.
package: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS) --target dravik_package

# The Debian package of the install, from an optimised build without the suite:
# build-deb/dravik_VERSION_ARCH.deb.
DEB_BUILD ?= build-deb
deb: deps
	[ -f $(DEB_BUILD)/build.ninja ] || cmake --preset deb
	cmake --build $(DEB_BUILD) -j$(JOBS)
	cd $(DEB_BUILD) && cpack -G DEB

# Lintian, then (as root) dpkg -i, the example built on the package, and dpkg -r. Changes /usr.
deb-check: deb
	bash tools/check-deb.sh $(DEB_BUILD)/dravik_3.0_amd64.deb

# Installs the build into a scratch prefix and builds examples/hello on it (part of `make test`).
install-check: build
	bash tools/check-install.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS)

deps:
	@bash tools/install-deps.sh

$(BUILD)/build.ninja:
	cmake --preset debug

# Whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: deps
	[ -f $(ASAN_BUILD)/build.ninja ] || cmake --preset asan
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS)

# Benchmarks are a separate, optimised build.
bench: deps
	[ -f build-release/build.ninja ] || cmake --preset release
	cmake --build build-release -j$(JOBS)
	for b in build-release/bin/bench_*; do $$b; done

# libFuzzer targets (clang, ASan + UBSan); FUZZ_SECONDS per target.
FUZZ_SECONDS ?= 60
fuzz: deps
	[ -f $(FUZZ_BUILD)/build.ninja ] || cmake --preset fuzz
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	bash tools/run-fuzzers.sh $(FUZZ_BUILD)/bin $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) build-release $(DEB_BUILD)

# Every Free Pascal source on this machine through the scanner and its consistency checks.
.PHONY: scan-corpus
scan-corpus: build
	DRAVIK_CORPUS=full $(BUILD)/bin/test_source --gtest_filter='FreePascalCorpus.*'

# Real text form files: the forms of Debian's Lazarus source package (its data files only) and
# any on this machine, each read into components and written back.
FORM_CORPUS ?= $(BUILD)/form-corpus
.PHONY: form-corpus
form-corpus: build
	bash tools/form-corpus.sh $(FORM_CORPUS)
	DRAVIK_FORM_CORPUS=$(FORM_CORPUS) $(BUILD)/bin/test_core_stream --gtest_filter='FormCorpus.*'
