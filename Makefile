# The two commands of the README: `make run` and `make test`.  Both install what is missing first.
NATIVE  := build/native
WINDOWS := build/windows
JOBS    ?= $(shell nproc)
CMAKE_GEN := -G Ninja

.PHONY: all bootstrap native windows test test-native test-windows run bench bench-windows sanitize fuzz-gif clean

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

# Until the saver exists, the most useful program is the formula tool.
run: native
	@scripts/demo

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

# libFuzzer on the GIF decoder for FUZZ_SECONDS (default 600); not part of `make test`.
fuzz-gif: bootstrap
	@scripts/fuzz-gif $(FUZZ_SECONDS)

clean:
	rm -rf $(NATIVE) $(WINDOWS) build/sanitize build/fuzz
