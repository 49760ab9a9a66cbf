# The two commands of the README. Both builds are configured through CMakePresets.json.
JOBS ?= $(shell nproc)
# How long make fuzz runs each fuzz target, in seconds.
FUZZ_SECONDS ?= 600

.PHONY: all test build deps native win64 fuzz-build test-native test-win64 test-fuzz fuzz demo \
        format clean

all: build

deps:
	@sh cmake/install-deps.sh

build: deps native win64 fuzz-build

native:
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

win64:
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j $(JOBS)

# The fuzz build: clang's libFuzzer over the portable core (CMake preset fuzz).
fuzz-build:
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

test: build
	$(MAKE) test-native test-win64 test-fuzz

test-native:
	ctest --preset native -j $(JOBS)

test-win64:
	sh cmake/with-display.sh sh -c '\
	    ctest --preset win64 -j $(JOBS); rc=$$?; \
	    WINEPREFIX=$(CURDIR)/build/win64/wineprefix wineserver -k 2>/dev/null; exit $$rc'

# A short run of every fuzz target: CMake's KELVO_FUZZ_SMOKE_SECONDS each.
test-fuzz:
	ctest --preset fuzz -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS, one after the other, with libFuzzer's figures.
fuzz: deps fuzz-build
	FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --preset fuzz --verbose --timeout $$(($(FUZZ_SECONDS) + 300))

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build

# The demonstration needs the control panel and the stations, which are not built yet.
demo:
	@echo "make demo: the demonstration is not there yet (see README, 'What exists today')." >&2
	@exit 1
