# A thin layer over CMake. Every target first installs whatever Debian
# packages are missing, then configures once into build/ and builds.

BUILD_DIR   ?= build
BUILD_TYPE  ?= RelWithDebInfo
CMAKE_FLAGS ?=
PREFIX      ?= /usr/local
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60

CONFIGURED := $(BUILD_DIR)/.configured

.PHONY: all deps build run test bench fuzz sanitize install package clean

all: build

deps:
	@scripts/install-deps

$(CONFIGURED): CMakeLists.txt | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS)
	@touch $@

build: deps $(CONFIGURED)
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

run: build
	@if [ -z "$${DISPLAY}$${WAYLAND_DISPLAY}" ]; then \
	  echo "make run: no display to show the window on; on a machine without one, run: xvfb-run -a $(BUILD_DIR)/app/kestrami" >&2; \
	  exit 1; \
	fi
	$(BUILD_DIR)/app/kestrami

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel $(JOBS)

bench: build
	$(BUILD_DIR)/bench/kestrami_bench_core
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/kestrami_bench_ui

# The whole test suite again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKESTRAMI_SANITIZE=ON -DKESTRAMI_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build build-sanitize --parallel $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel $(JOBS)

# libFuzzer over the text reading and over random operation sequences.
fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRAMI_FUZZ=ON \
	  -DKESTRAMI_BUILD_UI=OFF -DKESTRAMI_BUILD_BENCHMARKS=OFF -DBUILD_TESTING=ON
	cmake --build build-fuzz --parallel $(JOBS) --target kestrami_fuzz_text_value kestrami_fuzz_operations
	cd build-fuzz && ./tests/fuzz/kestrami_fuzz_text_value -max_total_time=$$(($(FUZZ_SECONDS) / 2)) -print_final_stats=1
	cd build-fuzz && ./tests/fuzz/kestrami_fuzz_operations -max_total_time=$$(($(FUZZ_SECONDS) / 2)) -print_final_stats=1

install: build
	cmake --install $(BUILD_DIR)

package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-fuzz
