# The two commands of the README: `make run` and `make test`. Both install what a fresh Debian
# machine lacks, configure and build first.

BUILD        ?= build
BUILD_SAN    ?= build-sanitize
BUILD_BENCH  ?= build-bench
BUILD_TYPE   ?= RelWithDebInfo
PREFIX       ?= /usr/local
JOBS         ?= $(shell nproc 2>/dev/null || echo 2)

# What the build, the tests and the checks need from Debian.
PACKAGES := cmake g++ make ninja-build clang-format qt6-base-dev fonts-dejavu-core poppler-utils
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

# The same suites under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(BUILD_SAN) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DKISTARRA_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)
	cd $(BUILD_SAN) && $(TEST_ENV) \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
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

screenshots: build
	$(TEST_ENV) ./$(BUILD)/tests/screenshots $(BUILD)/screenshots

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_BENCH)
