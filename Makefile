# Front door: `make run` starts Leapmark, `make test` builds and runs every test.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run bench package format clean

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
