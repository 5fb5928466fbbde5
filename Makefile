# A thin layer over CMake. Every target first installs whatever Debian
# packages it is missing, then configures once into build/ and builds.
#
# The program's own targets (run, install, package) configure without the
# tests and benchmarks, so they need neither GoogleTest nor Google Benchmark;
# build, test and bench install the test tools and turn both on, also in a
# build/ that `make run` configured before.

BUILD_DIR   ?= build
BUILD_TYPE  ?= RelWithDebInfo
CMAKE_FLAGS ?=
PREFIX      ?= /usr/local
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60

CONFIGURED       := $(BUILD_DIR)/CMakeCache.txt
CONFIGURED_TESTS := $(BUILD_DIR)/.configured-tests
# What `make install` records, for `make uninstall`.
INSTALLED        := $(BUILD_DIR)/installed-files.txt

.PHONY: all deps deps-run deps-package build program run test bench fuzz sanitize install uninstall package clean \
  windows windows-configure test-windows bench-windows

all: build

deps:
	@scripts/install-deps

deps-run:
	@scripts/install-deps --run

deps-package:
	@scripts/install-deps --package

$(CONFIGURED): | deps-run
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=OFF -DKESTRAMI_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)

$(CONFIGURED_TESTS): | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=ON -DKESTRAMI_BUILD_BENCHMARKS=ON $(CMAKE_FLAGS)
	@touch $@

# Everything, tests and benchmarks included.
build: $(CONFIGURED_TESTS)
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

# The program alone.
program: $(CONFIGURED)
	cmake --build $(BUILD_DIR) --parallel $(JOBS) --target kestrami

run: program
	@if [ -z "$${DISPLAY}$${WAYLAND_DISPLAY}" ]; then \
	  echo "make run: no display to show the window on; on a machine without one, run: xvfb-run -a $(BUILD_DIR)/app/kestrami" >&2; \
	  exit 1; \
	fi
	$(BUILD_DIR)/app/kestrami

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error --parallel $(JOBS)

bench: build
	$(BUILD_DIR)/bench/kestrami_bench_core
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/kestrami_bench_ui
	@scripts/bench-windows $(WINDOWS_BUILD_DIR)

# The whole test suite again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKESTRAMI_SANITIZE=ON -DKESTRAMI_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build build-sanitize --parallel $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error --parallel $(JOBS)

# Windows: Qt for Windows built once from Debian's source into a cache
# outside the clone (scripts/build-qt-windows: about 20 minutes the first
# time, seconds after), then the program, its tests and its packages
# cross-built with MinGW-w64 into one folder, everything linked statically.
WINDOWS_BUILD_DIR ?= build-windows
WINDOWS_BUILD_TYPE ?= Release
WINDOWS_PACKAGES = kestrami-*-windows-x64.zip kestrami-*-windows-x64-setup.exe

windows-configure:
	@scripts/install-deps --windows
	@qt=$$(scripts/build-qt-windows --print-prefix) && \
	  toolchain=$$qt/lib/cmake/Qt6/qt.toolchain.cmake && \
	  if [ -f $(WINDOWS_BUILD_DIR)/CMakeCache.txt ] && ! grep -qF "$$toolchain" $(WINDOWS_BUILD_DIR)/CMakeCache.txt; then \
	    echo "$(WINDOWS_BUILD_DIR): configured for another Qt; configuring anew"; \
	    rm -rf $(WINDOWS_BUILD_DIR)/CMakeCache.txt $(WINDOWS_BUILD_DIR)/CMakeFiles; \
	  fi && \
	  cmake -S . -B $(WINDOWS_BUILD_DIR) -DCMAKE_TOOLCHAIN_FILE=$$toolchain \
	    -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64.cmake) -DCMAKE_BUILD_TYPE=$(WINDOWS_BUILD_TYPE) \
	    -DBUILD_TESTING=ON -DKESTRAMI_BUILD_BENCHMARKS=ON $(CMAKE_FLAGS)

# kestrami.exe, the zip, the installer and SHA256SUMS in WINDOWS_BUILD_DIR.
windows: windows-configure
	cmake --build $(WINDOWS_BUILD_DIR) --parallel $(JOBS) --target kestrami
	cd $(WINDOWS_BUILD_DIR) && rm -f $(WINDOWS_PACKAGES) SHA256SUMS && cpack
	cd $(WINDOWS_BUILD_DIR) && sha256sum $(WINDOWS_PACKAGES) > SHA256SUMS && cat SHA256SUMS

# Every test under Wine, in a Wine prefix of the build folder's own, with no
# display: the core's and the windows' (through Qt's offscreen platform),
# then the program from the zip and the installer, each on a virtual display
# and in a prefix of its own. Wine passes Qt's variables on as WINEQT_*.
WINE_RUN = env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX=$(abspath $(WINDOWS_BUILD_DIR))/wine \
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
  WINEQT_QPA_PLATFORM=offscreen WINEQT_FORCE_STDERR_LOGGING=1
WINE = /usr/lib/wine/wine64
# One Wine server for the whole run, so no test starts while it shuts down,
# and its services started before the tests, so they hold no test's output.
WINESERVER = /usr/lib/wine/wineserver

test-windows: windows
	cmake --build $(WINDOWS_BUILD_DIR) --parallel $(JOBS)
	@tests/windows/wine-prefix.sh $(abspath $(WINDOWS_BUILD_DIR))/wine --fonts
	cd $(WINDOWS_BUILD_DIR) && $(WINE_RUN) sh -c '$(WINESERVER) -k 2>/dev/null; $(WINESERVER) -w; $(WINESERVER) -p; \
	  $(WINE) wineboot < /dev/null > /dev/null 2>&1; \
	  ctest --output-on-failure --no-tests=error --parallel $(JOBS); status=$$?; $(WINESERVER) -k; exit $$status'

# The Windows program's size and start-up under Wine (also part of bench).
bench-windows: windows
	cmake --build $(WINDOWS_BUILD_DIR) --parallel $(JOBS) --target kestrami_startup_probe
	scripts/bench-windows $(WINDOWS_BUILD_DIR)

# libFuzzer over the text reading and over random operation sequences.
fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRAMI_FUZZ=ON \
	  -DKESTRAMI_BUILD_UI=OFF -DKESTRAMI_BUILD_BENCHMARKS=OFF -DBUILD_TESTING=ON
	cmake --build build-fuzz --parallel $(JOBS) --target kestrami_fuzz_text_value kestrami_fuzz_operations
	cd build-fuzz && ./tests/fuzz/kestrami_fuzz_text_value -max_total_time=$$(($(FUZZ_SECONDS) / 2)) -print_final_stats=1
	cd build-fuzz && ./tests/fuzz/kestrami_fuzz_operations -max_total_time=$$(($(FUZZ_SECONDS) / 2)) -print_final_stats=1

# Installs under PREFIX, given at install time, whatever build/ was
# configured with. Builds as the calling user; only the copying goes through
# sudo, and only where PREFIX is not writable (/usr/local for a normal user).
install: $(CONFIGURED)
	cmake --build $(BUILD_DIR) --parallel $(JOBS) --target kestrami kestrami_data
	@dir="$(PREFIX)"; while [ ! -e "$$dir" ]; do dir=$$(dirname "$$dir"); done; \
	as_root=; \
	if [ ! -w "$$dir" ]; then as_root=sudo; echo "make install: $(PREFIX) is not writable; installing through sudo"; fi; \
	set -x; $$as_root cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	cp $(BUILD_DIR)/install_manifest.txt $(INSTALLED)

# Removes what the last `make install` from this build/ put in place.
uninstall:
	@if [ ! -f $(INSTALLED) ]; then echo "make uninstall: $(INSTALLED) not found; nothing was installed from $(BUILD_DIR)" >&2; exit 1; fi
	@as_root=; \
	while IFS= read -r file; do [ -w "$$(dirname "$$file")" ] || as_root=sudo; done < $(INSTALLED); \
	set -x; \
	xargs -d '\n' $$as_root rm -f -- < $(INSTALLED); \
	sed -n 's|/copyright$$||p' $(INSTALLED) | xargs -r -d '\n' $$as_root rmdir --ignore-fail-on-non-empty --
	rm -f $(INSTALLED)

package: deps-package program
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-fuzz $(WINDOWS_BUILD_DIR)
