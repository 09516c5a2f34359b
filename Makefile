# The two commands of the README: `make demo` and `make test`. Both install what is missing,
# configure and build first.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local

.PHONY: all deps configure build test demo gui bench screenshots install uninstall desktop-caches package install-check fuzz fuzz-build fuzz-replay clean

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

# The fuzz targets of the readers of outside data, built by clang with the address and
# undefined-behaviour sanitizers in $(FUZZ_BUILD). `make fuzz` runs each for $(FUZZ_SECONDS)
# seconds on a copy of its seeds in tests/fuzz/<target>/ and fails when one finds a crash (kept
# in $(FUZZ_BUILD)/fuzz-work/crashes/); `make fuzz-replay` runs each once over its seeds.
# FUZZ_TARGETS picks some of them.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

$(FUZZ_BUILD)/build.ninja: | deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQDX_BUILD_FUZZ=ON -DQDX_BUILD_TESTS=OFF -DQDX_BUILD_BENCH=OFF -DQDX_BUILD_APP=OFF \
	  -DQDX_BUILD_PYTHON=OFF

fuzz-build: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets

fuzz: fuzz-build
	bash tests/fuzz/run_fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

fuzz-replay: fuzz-build
	bash tests/fuzz/run_fuzz.sh $(FUZZ_BUILD) replay $(FUZZ_TARGETS)

# Installs under $(PREFIX) (below $(DESTDIR) when given). The list of installed files is kept
# for `make uninstall`: CMake's own list is rewritten by every install from this build folder,
# the tests' staging installs included.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"
	cp $(BUILD)/install_manifest.txt $(BUILD)/installed_files.txt
	@$(MAKE) --no-print-directory desktop-caches

# Removes what the last `make install` put in place; users' settings and projects stay.
uninstall:
	@[ -f $(BUILD)/installed_files.txt ] || { echo "uninstall: nothing installed from $(BUILD)"; exit 1; }
	xargs -d '\n' rm -f <$(BUILD)/installed_files.txt
	rm -f $(BUILD)/installed_files.txt
	for d in share/qdx lib/qdx; do \
	  [ ! -d "$(DESTDIR)$(PREFIX)/$$d" ] || find "$(DESTDIR)$(PREFIX)/$$d" -depth -type d -empty -delete; done
	@$(MAKE) --no-print-directory desktop-caches

# Tells the desktop about the file types, menu entries and icons under $(PREFIX), unless the
# install went to a staging folder.
desktop-caches:
	@if [ -z "$(DESTDIR)" ]; then \
	  ! command -v update-mime-database >/dev/null || update-mime-database "$(PREFIX)/share/mime"; \
	  ! command -v update-desktop-database >/dev/null || update-desktop-database -q "$(PREFIX)/share/applications"; \
	  ! command -v gtk-update-icon-cache >/dev/null || gtk-update-icon-cache -q -t "$(PREFIX)/share/icons/hicolor" || true; \
	fi

# The Debian package, $(BUILD)/qdx_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack -G DEB

# The package built, then its contents and its installation into a scratch root checked.
install-check: package
	bash tests/install/package_check.sh $(BUILD)

clean:
	rm -rf $(BUILD)

# `make test-sanitize`: the whole test suite once more, everything built with AddressSanitizer
# and UndefinedBehaviorSanitizer in a build folder of its own. The sanitizer settings are part
# of that folder's CTest files, so a plain ctest there runs the same way.
SANITIZE_BUILD ?= build-sanitize

.PHONY: test-sanitize

$(SANITIZE_BUILD)/build.ninja: | deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG -DCMAKE_C_FLAGS_RELEASE=-DNDEBUG \
	  -DQDX_SANITIZE=ON -DQDX_BUILD_BENCH=OFF

test-sanitize: $(SANITIZE_BUILD)/build.ninja
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
