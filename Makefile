# The README's commands (test, demo, package, fuzz) and the steps they are made of. Every build
# is configured through CMakePresets.json.
JOBS ?= $(shell nproc)
# How long make fuzz runs each fuzz target, in seconds.
FUZZ_SECONDS ?= 600

.PHONY: all test build deps native win64 fuzz-build test-native test-win64 test-fuzz fuzz \
        package demo format clean vscode-copy vsix test-vscode vscode-picture

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
	$(MAKE) test-native test-win64 test-fuzz test-vscode

test-native:
	ctest --preset native -j $(JOBS)

# The Windows tests, then the same on other machines (another code page, other display
# scales), each run on a display of its own. Every prefix's wineserver ends with its run.
test-win64:
	@rc=0; \
	for run in "-LE other_machines" "-L other_machines"; do \
	    sh cmake/with-display.sh sh -c "ctest --preset win64 -j $(JOBS) $$run; rc=\$$?; \
	        for prefix in $(CURDIR)/build/win64/*prefix*/; do \
	            WINEPREFIX=\$$prefix wineserver -k 2>/dev/null; done; exit \$$rc" || rc=1; \
	done; exit $$rc

# The Windows packages, from the win64 build: build/win64/KelvoDemo-<version>-win64.zip and
# build/win64/KelvoDemo-<version>-win64-setup.exe (NSIS); and the VS Code extension,
# build/vscode/kelvodemo-<version>.vsix.
package: deps win64 vsix
	cmake --build --preset win64 --target package

# A short run of every fuzz target: CMake's KELVO_FUZZ_SMOKE_SECONDS each.
test-fuzz:
	ctest --preset fuzz -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS, one after the other, with libFuzzer's figures.
fuzz: deps fuzz-build
	FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --preset fuzz --verbose --timeout $$(($(FUZZ_SECONDS) + 300))

# The VS Code extension (editors/vscode). Its tools come from the npm registry as its
# package-lock.json pins them; they and a fresh copy of the extension live in build/vscode, so
# that nothing lands in the source tree. The .vsix carries the version of the root CMakeLists.txt.
VSCODE := build/vscode
VSCODE_VERSION := $(shell sed -n 's/^project.KelvoDemo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
VSIX := $(VSCODE)/kelvodemo-$(VSCODE_VERSION).vsix

$(VSCODE)/node_modules/.package-lock.json: editors/vscode/package.json editors/vscode/package-lock.json
	mkdir -p $(VSCODE)
	cp editors/vscode/package.json editors/vscode/package-lock.json $(VSCODE)/
	cd $(VSCODE) && npm ci --ignore-scripts --no-audit --no-fund

vscode-copy: $(VSCODE)/node_modules/.package-lock.json
	rm -rf $(VSCODE)/extension
	cp -R editors/vscode $(VSCODE)/extension

vsix: vscode-copy
	cd $(VSCODE)/extension && npm pkg set version=$(VSCODE_VERSION) && \
	    ../node_modules/.bin/vsce package --no-dependencies --skip-license \
	        --allow-missing-repository --out ../$(notdir $(VSIX))

# The grammar's cases, the problem matchers against the checker of the native build, the task
# and the packaged .vsix.
test-vscode: vsix
	cd $(VSCODE)/extension && ../node_modules/.bin/vscode-tmgrammar-test 'test/grammar/*.KelvoDemo'
	cd $(VSCODE)/extension && KELVODEMO_CHECK=$(CURDIR)/build/native/bin/kelvodemo-check \
	    KELVODEMO_VSIX=$(CURDIR)/$(VSIX) KELVODEMO_SOURCE=$(CURDIR) node --test test/*.test.js

# docs/vscode.png: the example script coloured by the extension's grammar, drawn by headless
# Chromium (Debian's chromium) and reduced to a palette by ImageMagick.
vscode-picture: vscode-copy
	node $(VSCODE)/extension/tools/picture.js examples/three-stations.KelvoDemo docs/vscode.png 10-84

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build

# The example demonstration with the rehearsal stations (DEMO=another.KelvoDemo for another).
# On your display you are the presenter: press Enter at every step. Without a display it runs
# unattended on a private one; the report, its JSON, a screenshot of every step and the page
# report.html, whose path it prints last, go to build/demo.
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
	        WINEPREFIX=$(CURDIR)/build/win64/wineprefix wineserver -k 2>/dev/null; \
	        echo "$(CURDIR)/$(DEMO_OUT)/report.html"; exit $$rc'; \
	fi
