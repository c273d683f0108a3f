# The two commands of the README: `make run` and `make test`.  Both install what is missing first.
NATIVE  := build/native
WINDOWS := build/windows
JOBS    ?= $(shell nproc)
CMAKE_GEN := -G Ninja

.PHONY: all bootstrap native windows test test-native test-windows run demo run-slidemaker bench bench-windows sanitize fuzz clean

all: native windows

bootstrap:
	@scripts/bootstrap

native: bootstrap
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

windows: bootstrap
	@scripts/debian-sources
	@cmake -S . -B $(WINDOWS) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

# Builds both trees, then runs every native test and every Windows test under Wine.
test: native windows
	@scripts/run-tests $(NATIVE) $(WINDOWS)

test-native: native
	@scripts/run-tests $(NATIVE)

test-windows: windows
	@scripts/run-tests $(WINDOWS)

# The screen saver at work under Wine: full screen over the sample graph set (screenshots
# when there is no display).
run: windows
	@scripts/run-saver

# The native graph tool: a few formulas evaluated and the sample set rendered to PNG files.
demo: native
	@scripts/demo

# The slideshow editor under Wine, with a sample project made from the sample graphs.
run-slidemaker: native windows
	@scripts/run-slidemaker $(NATIVE) $(WINDOWS)

# Every benchmark program of a tree; BENCH_ARGS go to each (for example --benchmark_filter=...).
bench: native
	@scripts/run-benchmarks $(NATIVE) $(BENCH_ARGS)

bench-windows: windows
	@scripts/run-benchmarks $(WINDOWS) $(BENCH_ARGS)

# Native build with AddressSanitizer and UndefinedBehaviorSanitizer, and its tests.
sanitize: bootstrap
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
	rm -rf $(NATIVE) $(WINDOWS) build/sanitize build/fuzz
