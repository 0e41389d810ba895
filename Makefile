# Bulwark: the two commands of the README, and a few more.
#   make run    set up, build, generate the data, start the game
#   make test   set up, build, run every test through CTest
#   make fuzz   the fuzz targets of fuzz/, FUZZ_SECONDS each (clang, libFuzzer)
#   make install   the game under PREFIX (DESTDIR honoured); make package: a .deb
BUILD ?= build
SAN_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
ARGS ?=
PREFIX ?= /usr/local
DESTDIR ?=
ROUNDS ?= 100
# The soak under the sanitizers is ten times slower: fewer rounds there.
SAN_SOAK_ROUNDS ?= 10

.PHONY: all deps configure build run test test-sanitize bench soak tournament fuzz-deps fuzz install package package-check clean

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

# The game, its data, desktop entry, icons, metadata and manual page under
# PREFIX; with DESTDIR, staged under DESTDIR/PREFIX.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package (CPack) in $(BUILD); package-check looks inside it and
# runs the game from an unpacked copy, as CI does.
package: build
	cd $(BUILD) && cpack -G DEB
package-check: package
	@./scripts/install-deps.sh --package
	./scripts/check-package.sh $(BUILD)

$(SAN_BUILD)/build.ninja:
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBULWARK_SANITIZE=ON -DBULWARK_BENCH=OFF $(CMAKE_FLAGS)

test-sanitize: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		BULWARK_SOAK_ROUNDS=$(SAN_SOAK_ROUNDS) ctest --output-on-failure -j $(JOBS)

bench: build
	@set -e; for b in $(BUILD)/bench_*; do if [ -x "$$b" ]; then echo "== $$b"; "$$b" $(ARGS); fi; done

# The soak test for longer: ROUNDS rounds of five computer players.
soak: build
	cd $(BUILD) && BULWARK_SOAK_ROUNDS=$(ROUNDS) ./bulwark_e2e --gtest_filter='AutoplayE2E.Soak*'

# Computer strengths measured: three games of TOURNAMENT_ROUNDS rounds, EASY
# against COMPUTER against HARD with the seats rotated, and each strength's
# share of the rounds survived.
TOURNAMENT_ROUNDS ?= 100
tournament: build
	./scripts/tournament.sh ./$(BUILD)/bulwark $(BUILD)/data $(TOURNAMENT_ROUNDS) $(JOBS)

# Every target runs FUZZ_SECONDS on its seeds and on the inputs it found in
# earlier runs (kept in $(FUZZ_BUILD)/corpus); a crash, a hang of 10 s, a
# sanitizer report or 2 GB of memory stops make with the input saved in
# $(FUZZ_BUILD)/artifacts. The sound bank target may grow its inputs to
# 64 KB, enough for many sounds.
FUZZ_TARGETS := fuzz_sprite_bank fuzz_sound_bank fuzz_level_file fuzz_config fuzz_script fuzz_replay fuzz_settings fuzz_packet
FUZZ_ARGS_fuzz_sound_bank := -max_len=65536

fuzz-deps:
	@./scripts/install-deps.sh --fuzz

$(FUZZ_BUILD)/build.ninja:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DBULWARK_FUZZ=ON $(CMAKE_FLAGS)

# One target's run: its seeds and the corpus of earlier runs.
define run_fuzz_target
	@echo "== $(1): $(FUZZ_SECONDS) s"
	@mkdir -p $(FUZZ_BUILD)/corpus/$(1) $(FUZZ_BUILD)/artifacts
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	$(FUZZ_BUILD)/fuzz/$(1) -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
		-close_fd_mask=3 -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/artifacts/$(1)- $(FUZZ_ARGS_$(1)) \
		$(FUZZ_BUILD)/corpus/$(1) $(FUZZ_BUILD)/seeds/$(1)

endef

fuzz: fuzz-deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	$(foreach t,$(FUZZ_TARGETS),$(call run_fuzz_target,$(t)))

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
