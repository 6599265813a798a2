# The two entry points of the README: `make run` and `make test`. Both install the Debian
# packages that are missing (scripts/setup.sh) and build first.
BUILD      ?= build
SAN_BUILD  ?= build-asan
TSAN_BUILD ?= build-tsan
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all setup build run test test-fast sanitize-test tsan-test clean format data package

all: build

setup:
	@sh scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Starts the window.
run: build
	$(BUILD)/bin/quillon-gui

# Every test, then the whole suite again under AddressSanitizer and UBSan, then the tests
# that run tagging on a second thread (the window's run, the core run) under TSan.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitize-test
	@$(MAKE) --no-print-directory tsan-test

sanitize-test: setup
	@cmake -S . -B $(SAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DQUILLON_SANITIZE=address,undefined -DQUILLON_BENCH=OFF >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

# Rebuilds the trained files of Q_data from ../shared/corpus and WordNet, and measures them
# (a few minutes; not part of `make test`).
data: build
	sh scripts/build-data.sh Q_data

# ThreadSanitizer over the window's worker threads (the run, previews, statistics), the
# core run and the tagger pool's threads (-j). Only the targets those
# tests need are built, to keep CI short. Qt itself is not built with TSan: its own
# allocations and locks are invisible or half visible to TSan, so calls made from inside
# the uninstrumented Qt libraries are ignored (ignore_noninstrumented_modules) and
# tests/tsan.supp may list Qt-internal frames, never Quillon's. run_window_test starts the
# command line with QProcess, a fork of a threaded process that execs at once
# (die_after_fork=0).
TSAN_TARGETS := q_data core_units_test tagger_pool_test settings_file_test text_preview_test find_test \
  main_window_test run_window_test dialogs_test stop_test tag_colours_test statistics_page_test \
  output_options_test
TSAN_TESTS   := ^(core_units_test|tagger_pool_test|settings_file_test|text_preview_test|find_test|main_window_test|run_window_test|dialogs_test|stop_test|tag_colours_test|statistics_page_test|output_options_test)$$
tsan-test: setup
	@cmake -S . -B $(TSAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLON_SANITIZE=thread -DQUILLON_BENCH=OFF >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS) --target $(TSAN_TARGETS)
	TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp ignore_noninstrumented_modules=1 \
	  die_after_fork=0 halt_on_error=1 second_deadlock_stack=1" QT_QPA_PLATFORM=offscreen \
	  ctest --test-dir $(TSAN_BUILD) --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

# The Debian package quillon_VERSION_ARCH.deb in $(BUILD)/, made by CPack from the normal
# build (packaging/CMakeLists.txt); packaging/check-deb.sh installs it into a fresh Debian 12.
package: build
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/quillon_*.deb

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

format:
	@git ls-files '*.cc' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(TSAN_BUILD)
