# Bulwark: the two commands of the README, and a few more.
#   make run    set up, build, generate the data, start the game
#   make test   set up, build, run every test through CTest
BUILD ?= build
SAN_BUILD ?= build-sanitize
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
ARGS ?=
ROUNDS ?= 100

.PHONY: all deps configure build run test test-sanitize bench soak clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/bulwark $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(SAN_BUILD)/build.ninja:
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBULWARK_SANITIZE=ON -DBULWARK_BENCH=OFF $(CMAKE_FLAGS)

test-sanitize: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

bench: build
	@set -e; for b in $(BUILD)/bench_*; do if [ -x "$$b" ]; then echo "== $$b"; "$$b" $(ARGS); fi; done

# The soak test for longer: ROUNDS rounds of five computer players.
soak: build
	cd $(BUILD) && BULWARK_SOAK_ROUNDS=$(ROUNDS) ./bulwark_e2e --gtest_filter='AutoplayE2E.Soak*'

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
