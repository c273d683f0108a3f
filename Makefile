# The two commands of the README: `make run` and `make test`.  Each target installs first what
# its own tree is missing (scripts/bootstrap TREE): `make native` no Wine, MinGW or X server.
NATIVE  := build/native
WINDOWS := build/windows
JOBS    ?= $(shell nproc)
CMAKE_GEN := -G Ninja

.PHONY: all bootstrap native native-tools windows test test-native test-windows test-stress dist run demo run-slidemaker gallery screenshots bench bench-windows sanitize fuzz clean

all: native windows

bootstrap:
	@scripts/bootstrap all

NATIVE_CONFIGURE = cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release >/dev/null
native:
	@scripts/bootstrap native
	@$(NATIVE_CONFIGURE)
	@cmake --build $(NATIVE) -j $(JOBS)

# The native tools the Windows tests compare with and run-slidemaker draws its pictures with,
# without the rest of the native tree.
native-tools:
	@scripts/bootstrap native
	@$(NATIVE_CONFIGURE)
	@cmake --build $(NATIVE) -j $(JOBS) --target picture jpeg_sample twk sample_graphs

windows:
	@scripts/bootstrap windows
	@scripts/debian-sources
	@# The toolchain file counts as unused once the build has regenerated its own cache.
	@cmake -S . -B $(WINDOWS) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

# dist/Plotvane-VERSION-win64.zip (the saver) and dist/Lumivox-VERSION-setup.exe (the editor).
dist: windows
	@scripts/bootstrap dist
	@cmake --build $(WINDOWS) --target dist

# Builds both trees, then runs every native test and every Windows test under Wine (the
# packages' test makes them again, so it needs what `make dist` installs).
test: native windows
	@scripts/bootstrap dist
	@scripts/run-tests $(NATIVE) $(WINDOWS)

test-native: native
	@scripts/run-tests $(NATIVE)

test-windows: windows native-tools
	@scripts/bootstrap dist
	@scripts/run-tests $(WINDOWS)

# The Windows tests while two busy processes load the machine: waits, not pauses, keep them
# right on a slow machine.
test-stress: windows native-tools
	@scripts/bootstrap dist
	@scripts/run-stressed scripts/run-tests $(WINDOWS)

# The screen saver at work under Wine: full screen over the sample graph set (screenshots
# when there is no display).
run: windows
	@scripts/run-saver

# The native graph tool: a few formulas evaluated and the sample set rendered to PNG files.
demo: native
	@scripts/demo

# The slideshow editor under Wine, with a sample project made from the sample graphs.
run-slidemaker: windows native-tools
	@scripts/run-slidemaker $(NATIVE) $(WINDOWS)

# The gallery's contact sheet and page, docs/gallery.png and docs/gallery.html, drawn from
# Gallery.twk by twk render.
gallery: native
	@scripts/gallery $(NATIVE) docs

# The README's pictures of the programs' windows, docs/*.png, copied from the screenshots
# the Windows window tests leave (run make test-windows first).
screenshots:
	@scripts/screenshots $(WINDOWS) docs

# Every benchmark program of a tree; BENCH_ARGS go to each (for example --benchmark_filter=...).
bench: native
	@scripts/run-benchmarks $(NATIVE) $(BENCH_ARGS)

bench-windows: windows
	@scripts/run-benchmarks $(WINDOWS) $(BENCH_ARGS)

# Native build with AddressSanitizer and UndefinedBehaviorSanitizer, and its tests.
sanitize:
	@scripts/bootstrap native
	@cmake -S . -B build/sanitize $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DPLOTVANE_SANITIZE=ON >/dev/null
	@cmake --build build/sanitize -j $(JOBS)
	@scripts/run-tests build/sanitize

# Fuzzing, not part of `make test` (docs/fuzzing.md): without FUZZER the list of targets,
# with it one target for SECONDS (default 600) in build/fuzz, for example
#   make fuzz FUZZER=jpeg SECONDS=600
fuzz:
ifeq ($(FUZZER),)
	@scripts/fuzz
else
	@scripts/bootstrap --fuzz
	@scripts/debian-sources
	@scripts/fuzz $(FUZZER) $(or $(SECONDS),600)
endif

clean:
	rm -rf $(NATIVE) $(WINDOWS) build/sanitize build/fuzz dist
