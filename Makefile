# ΚΕΣΤΡΑΝΑ — convenience targets over CMake + Ninja.
BUILD ?= build
JOBS  ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run run18 test bench fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS); fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/bin && ./KESTRANA19

run18: build
	cd $(BUILD)/bin && ./KESTRANA18

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b" --benchmark_min_time=0.5 || exit 1; done

# libFuzzer targets, built with clang in a separate tree.
fuzz: deps
	@if [ ! -f build-fuzz/build.ninja ]; then CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKESTRANA_LIBFUZZER=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo; fi
	cmake --build build-fuzz -j $(JOBS) --target fuzz_all
	@for f in build-fuzz/fuzz/*; do [ -f "$$f" ] && [ -x "$$f" ] || continue; echo "== $$f"; \
	  n=$$(basename "$$f"); mkdir -p "build-fuzz/corpus/$$n"; seeds=$$(find fuzz -type d -path "*/corpus/$$n"); \
	  "$$f" -max_total_time=30 "build-fuzz/corpus/$$n" $$seeds || exit 1; done

clean:
	rm -rf $(BUILD) build-fuzz
