# The two commands of the README: `make run` and `make test`. Both install what a fresh Debian
# machine lacks, configure and build first.

BUILD        ?= build
BUILD_SAN    ?= build-sanitize
BUILD_BENCH  ?= build-bench
BUILD_PKG    ?= build-package
BUILD_FUZZ   ?= build-fuzz
FUZZ_SECONDS ?= 60
BUILD_TYPE   ?= RelWithDebInfo
PREFIX       ?= /usr/local
JOBS         ?= $(shell nproc 2>/dev/null || echo 2)

# What the build, the tests and the checks need from Debian. The program draws its Chinese
# characters with IPA Gothic; the tests also lay the calendar out with Droid Sans Fallback, whose
# glyphs are taller.
PACKAGES := cmake g++ make ninja-build clang-format qt6-base-dev liberfa-dev pkgconf \
            fonts-dejavu-core fonts-ipafont-gothic fonts-droid-fallback poppler-utils \
            desktop-file-utils appstream shared-mime-info dpkg-dev \
            xvfb xauth dbus dbus-daemon at-spi2-core python3 python3-gi python3-pyatspi \
            gir1.2-atspi-2.0
BENCH_PACKAGES := libbenchmark-dev

GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
TEST_ENV  := QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8

.PHONY: all deps build test test-sanitize run bench screenshots format format-check clean

all: build

# Installs the Debian packages that are missing (with sudo when not root).
deps:
	@./scripts/install-packages $(PACKAGES)

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	    -DCMAKE_INSTALL_PREFIX=$(PREFIX)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && $(TEST_ENV) ctest --output-on-failure -j $(JOBS)

# The same suites under AddressSanitizer and UndefinedBehaviorSanitizer. GCC 12's LeakSanitizer
# can crash in its own tracer at exit unless it leaves __tls_get_addr alone.
test-sanitize: deps
	cmake -S . -B $(BUILD_SAN) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DKISTARRA_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)
	cd $(BUILD_SAN) && $(TEST_ENV) \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	    echo "make run: no display found. Run it inside a desktop session, or under a virtual"; \
	    echo "display with 'xvfb-run make run', or headless with 'QT_QPA_PLATFORM=offscreen make run'."; \
	    exit 1; \
	fi
	./$(BUILD)/kistarra $(ARGS)

bench: deps
	@./scripts/install-packages $(BENCH_PACKAGES)
	cmake -S . -B $(BUILD_BENCH) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release -DKISTARRA_BENCH=ON \
	    -DBUILD_TESTING=OFF
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@for b in $(BUILD_BENCH)/bench/bench_*; do [ -x "$$b" ] && $(TEST_ENV) "$$b" || exit 1; done

# The benchmarks of commit BASE against the checkout (or against commit NEW), built in Release in
# worktrees under build-compare/ and run in one run: the medians side by side and their ratios.
.PHONY: bench-compare
bench-compare: deps
	@./scripts/install-packages $(BENCH_PACKAGES)
	@test -n "$(BASE)" || { echo "make bench-compare: give BASE=<commit>"; exit 2; }
	BUILD_BENCH=$(BUILD_BENCH) ./scripts/bench-compare $(BASE) $(NEW)

# The start of the program to its first painted frame, and its peak memory, against an empty
# window of the same size: medians and ratios, offscreen and (with xvfb-run) under Xvfb.
.PHONY: bench-startup
bench-startup: deps
	@./scripts/install-packages $(BENCH_PACKAGES) time
	BUILD_BENCH=$(BUILD_BENCH) ./bench/startup.sh

# The libFuzzer targets of tests/fuzz, built with clang and the sanitizers, for FUZZ_SECONDS in
# all on a copy of their seed corpus; any crash fails.
.PHONY: fuzz
fuzz:
	BUILD_FUZZ=$(BUILD_FUZZ) ./scripts/fuzz $(FUZZ_SECONDS)

# Builds, then installs into PREFIX (default /usr/local); DESTDIR=dir puts the files below dir
# instead, as packagers stage an install.
.PHONY: install
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package $(BUILD_PKG)/kistarra_<version>_<arch>.deb: a Release build for /usr with
# Debian's hardening flags, packed by CPack. scripts/check-package checks it.
PKG_BUILDFLAGS := DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags
.PHONY: package
package: deps
	cmake -S . -B $(BUILD_PKG) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF \
	    -DCMAKE_CXX_FLAGS="$$($(PKG_BUILDFLAGS) --get CPPFLAGS) $$($(PKG_BUILDFLAGS) --get CXXFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$($(PKG_BUILDFLAGS) --get LDFLAGS)"
	cmake --build $(BUILD_PKG) -j $(JOBS)
	cd $(BUILD_PKG) && cpack

# Writes the golden command-line transcripts (tests/golden) anew from the program, after a
# deliberate change of its output: read the difference with git diff before committing it.
.PHONY: golden
golden: build
	cd $(BUILD) && $(TEST_ENV) KISTARRA_WRITE_GOLDEN=1 ./tests/tst_golden

# With the machine's fonts into $(BUILD)/screenshots; then, on a 1600x1200 screen, with each font
# set-up of the tests at scale 1 and 2, into $(BUILD)/screenshots/<fonts>-scale<n>.
screenshots: build
	$(TEST_ENV) XDG_RUNTIME_DIR=$(CURDIR)/$(BUILD)/tests/xdg-runtime \
	    ./$(BUILD)/tests/screenshots $(BUILD)/screenshots
	@for fonts in ipagothic droid; do for scale in 1 2; do \
	    echo "screenshots: $$fonts at scale $$scale"; \
	    $(TEST_ENV) XDG_RUNTIME_DIR=$(CURDIR)/$(BUILD)/tests/xdg-runtime \
	        QT_QPA_PLATFORM=offscreen:configfile=$(CURDIR)/tests/data/screen-1600x1200.json \
	        FONTCONFIG_FILE=$(CURDIR)/tests/data/fonts/$$fonts.conf \
	        XDG_CACHE_HOME=$(CURDIR)/$(BUILD)/tests/cache QT_SCALE_FACTOR=$$scale \
	        ./$(BUILD)/tests/screenshots $(BUILD)/screenshots/$$fonts-scale$$scale || exit 1; \
	done; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_BENCH) $(BUILD_PKG) $(BUILD_FUZZ) build-compare
	git worktree prune
