# The two commands of the README. Both builds are configured through CMakePresets.json.
JOBS ?= $(shell nproc)

.PHONY: all test build deps native win64 test-native test-win64 package demo format clean

all: build

deps:
	@sh cmake/install-deps.sh

build: deps native win64

native:
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

win64:
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j $(JOBS)

test: build
	$(MAKE) test-native test-win64

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

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build

# The demonstration needs the control panel and the stations, which are not built yet.
demo:
	@echo "make demo: the demonstration is not there yet (see README, 'What exists today')." >&2
	@exit 1
