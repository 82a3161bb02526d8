# SPDX-License-Identifier: MIT
# The two commands of the README. Each installs what is missing, builds and runs.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=
# Where the scripted tour writes its pictures when there is no display.
DEMO_TOUR_DIR ?= $(BUILD_DIR)/demo-tour

.PHONY: deps configure build test test-ru test-sanitize fuzz fuzz-build demo bench bench-build bench-smoke package package-check clean format

deps:
	bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 ctest --output-on-failure -j$(JOBS)

# The built suite once more under a Russian locale (decimal comma, day.month.year):
# the format settings and the C library's locale come from it.
test-ru: deps
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 \
		ctest --output-on-failure -j$(JOBS)

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize:
	$(MAKE) test BUILD_DIR=build-sanitize CMAKE_FLAGS="-DQUIRE_SANITIZE=ON -DQUIRE_BENCH=OFF"

# The fuzz targets (clang, libFuzzer, ASan and UBSan), each run for FUZZ_SECONDS
# after its regression inputs; findings land in $(FUZZ_DIR)/fuzz-findings.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 600

fuzz-build: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DQUIRE_FUZZ=ON -DQUIRE_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target fuzz_targets

fuzz: fuzz-build
	bash scripts/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

# A Release tree of the libraries, the demo and the benchmark programs (a warning only
# the optimiser sees fails here too), then box_bench: every benchmark and its table.
RELEASE_DIR ?= build-release
# One configuration of that tree serves the benchmarks and the Debian packages: it
# installs into /usr, and installing does not build everything first.
RELEASE_FLAGS = -DCMAKE_BUILD_TYPE=Release -DQUIRE_BENCH=ON -DCMAKE_INSTALL_PREFIX=/usr \
	-DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
BENCH_FLAGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

bench-build: deps
	cmake -S . -B $(RELEASE_DIR) $(RELEASE_FLAGS) $(CMAKE_FLAGS)
	cmake --build $(RELEASE_DIR) -j$(JOBS) --target box_bench db_bench quire-demo

# --million adds the box on a table of 1,000,000 rows (built first, some seconds); the
# smoke run below leaves it out.
bench: bench-build
	QT_QPA_PLATFORM=offscreen $(RELEASE_DIR)/bench/box_bench --million $(BENCH_FLAGS)

# CI's short run: the benchmarks must run and print their table; no timing is checked.
bench-smoke: bench-build
	QT_QPA_PLATFORM=offscreen $(RELEASE_DIR)/bench/box_bench --benchmark_min_time=0.01 \
		> $(RELEASE_DIR)/bench-smoke.txt
	cat $(RELEASE_DIR)/bench-smoke.txt
	grep -q "^Record change, 50 fields" $(RELEASE_DIR)/bench-smoke.txt

# The Debian packages libquire1, libquire-dev and quire-demo, made by cpack in the
# Release tree (only what they hold is built first).
package: deps
	cmake -S . -B $(RELEASE_DIR) $(RELEASE_FLAGS) $(CMAKE_FLAGS)
	cmake --build $(RELEASE_DIR) -j$(JOBS) --target packaged
	rm -f $(RELEASE_DIR)/*.deb
	cd $(RELEASE_DIR) && cpack -G DEB
	ls $(RELEASE_DIR)/*.deb

# The packages as a user gets them: lintian, then installed with apt-get, a project
# built against them and the installed demo's tour; they are removed again at the end.
package-check: package
	bash scripts/check-packages $(RELEASE_DIR)

# The demo's window on a desktop; without one (no X or Wayland session) the
# scripted tour on Qt's offscreen platform, which writes pictures of each step.
demo: configure
	cmake --build $(BUILD_DIR) -j$(JOBS) --target quire-demo
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD_DIR)/demo/quire-demo; \
	else \
	  echo "make demo: no display (DISPLAY and WAYLAND_DISPLAY are unset), so the demo runs its scripted tour on the offscreen platform" >&2; \
	  QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/demo/quire-demo --tour "$(abspath $(DEMO_TOUR_DIR))"; \
	fi

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
