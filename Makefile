# The two commands of the README. Each installs what is missing, builds and runs.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: deps configure build test test-ru test-sanitize fuzz fuzz-build demo clean format

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

demo:
	@echo "The demo is not built yet." >&2
	@exit 1

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
