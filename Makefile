# The two commands of the README. Each installs what is missing, builds and runs.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=
# Where the scripted tour writes its pictures when there is no display.
DEMO_TOUR_DIR ?= $(BUILD_DIR)/demo-tour

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
