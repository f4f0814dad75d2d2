# make run   - installs what is missing, builds, starts the program
# make test  - installs what is missing, builds, runs every test in an isolated network
#              namespace: once in a normal build and once with the sanitizers
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(CI),-DWERROR=ON)

.PHONY: all deps build build-asan run test test-fast bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

build-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON $(if $(CI),-DWERROR=ON) >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "make run: no display (set DISPLAY, or start it under xvfb-run)"; exit 1; fi
	@cd $(BUILD) && ./Project1

test: build build-asan
	@scripts/run-tests.sh $(BUILD)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	 scripts/run-tests.sh $(ASAN_BUILD)

test-fast: build
	@scripts/run-tests.sh $(BUILD)

# Each libFuzzer target for FUZZ_SECONDS (default 20).
fuzz: deps
	@scripts/fuzz.sh

# The benchmarks, inside an isolated network namespace.
bench: deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j$(JOBS)
	@scripts/run-bench.sh build-bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz build-bench
