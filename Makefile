# The two commands of the README: `make demo` and `make test`. Both install what is missing,
# configure and build first.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build test demo gui bench screenshots clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	./$(BUILD)/qdx rate

# The desktop program.
gui: build
	./$(BUILD)/qdx

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# A PNG of every window under the offscreen platform, in $(BUILD)/screenshots/.
screenshots: configure
	cmake --build $(BUILD) -j $(JOBS) --target qdx_screenshots
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/tests/qdx_screenshots $(BUILD)/screenshots

clean:
	rm -rf $(BUILD)
