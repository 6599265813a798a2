# The two entry points of the README: `make run` and `make test`. Both install the Debian
# packages that are missing (scripts/setup.sh) and build first.
BUILD      ?= build
SAN_BUILD  ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all setup build run test test-fast sanitize-test clean format data

all: build

setup:
	@sh scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Starts the window.
run: build
	$(BUILD)/bin/quillon-gui

# Every test, then the whole suite again under AddressSanitizer and UBSan.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitize-test

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

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

format:
	@git ls-files '*.cc' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
