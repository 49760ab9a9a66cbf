# The two commands of the README. Both builds are configured through CMakePresets.json.
JOBS ?= $(shell nproc)
# How long make fuzz runs each fuzz target, in seconds.
FUZZ_SECONDS ?= 600

.PHONY: all test build deps native win64 fuzz-build test-native test-win64 test-fuzz fuzz \
        package demo format clean

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
	    for prefix in wineprefix package-prefix; do \
	        WINEPREFIX=$(CURDIR)/build/win64/$$prefix wineserver -k 2>/dev/null; done; exit $$rc'

# The Windows packages, from the win64 build: build/win64/KelvoDemo-<version>-win64.zip and
# build/win64/KelvoDemo-<version>-win64-setup.exe (NSIS).
package: deps win64
	cmake --build --preset win64 --target package

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

# The example demonstration with the rehearsal stations (DEMO=another.KelvoDemo for another).
# On your display you are the presenter: press Enter at every step. Without a display it runs
# unattended on a private one; the report, its JSON and a screenshot of every step go to
# build/demo.
DEMO ?= examples/three-stations.KelvoDemo
DEMO_OUT := build/demo

demo: deps
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j $(JOBS) --target KelvoDemo Kelvo kelvodemo-rehearse
	@if [ -n "$$DISPLAY" ]; then \
	    build/win64/wine-run build/win64/bin/KelvoDemo.exe "$(DEMO)"; \
	else \
	    mkdir -p $(DEMO_OUT); \
	    sh cmake/with-display.sh sh -c '\
	        build/win64/wine-run build/win64/bin/kelvodemo-rehearse.exe --shots $(DEMO_OUT) \
	            --json $(DEMO_OUT)/rehearsal.json "$(DEMO)"; rc=$$?; \
	        WINEPREFIX=$(CURDIR)/build/win64/wineprefix wineserver -k 2>/dev/null; exit $$rc'; \
	fi
