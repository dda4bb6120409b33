# Front door: `make run` starts Leapmark, `make test` builds and runs every test.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run bench fuzz package format clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 300

run: build
	@scripts/run-leapmark.sh $(BUILD_DIR) $(ARGS)

bench: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@for b in $$(find $(BUILD_DIR)/bench -maxdepth 1 -name 'bench_*' -type f -perm -u+x | sort); do \
		echo "== $$b"; $$b || exit 1; done

# The libFuzzer targets of the file readers, built with clang in build-fuzz/ (domain code only, no
# screens), each run FUZZ_SECONDS on a scratch copy of its seed corpus. Fails when one crashed.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= $(JOBS)
FUZZ_LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

fuzz:
	@scripts/install-deps.sh clang
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEAPMARK_FUZZ=ON \
		-DLEAPMARK_BUILD_TESTS=OFF -DLEAPMARK_BUILD_BENCHMARKS=OFF $(FUZZ_LAUNCHER) $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(FUZZ_JOBS) --target fuzzers
	@scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# A Release build packed as a Debian package, in build-package/.
package: deps
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DLEAPMARK_BUILD_TESTS=OFF \
		-DLEAPMARK_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack
	@ls build-package/*.deb

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR)
