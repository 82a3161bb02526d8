# The two commands of the README. Each installs what is missing, builds and runs.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: deps configure build test test-sanitize demo clean format

deps:
	bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize:
	$(MAKE) test BUILD_DIR=build-sanitize CMAKE_FLAGS="-DQUIRE_SANITIZE=ON -DQUIRE_BENCH=OFF"

demo:
	@echo "The demo is not built yet." >&2
	@exit 1

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
