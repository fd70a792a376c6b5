# The doors into the project: make run, make test, make test-asan, make bench.
# Every target first makes sure the Debian packages the build needs are there.

BUILD      ?= build
ASAN_BUILD ?= build-asan
GENERATOR  := Ninja
JOBS       ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ clang pkg-config libsdl2-dev libsdl2-ttf-dev \
            libfontconfig-dev fonts-liberation2 fonts-dejavu-core libcairo2-dev libgtest-dev libgmock-dev \
            libbenchmark-dev libclang-rt-dev xvfb xauth xdotool x11-utils x11-apps desktop-file-utils

.PHONY: all deps configure build run test test-asan soak bench fuzz fuzz-build fuzz-quick sheets screens clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	  else \
	    echo "Missing packages. Run:"; echo "  sudo apt-get install -y$$missing"; exit 1; \
	  fi; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./gobble

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory fuzz-quick

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DGG_SANITIZE=ON -DGG_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure -j $(JOBS)

# The monkey plays the whole game headless for SOAK_MINUTES of game time in
# test-asan's build (ASan, UBSan, LeakSanitizer), the board's invariants
# checked after every frame. An error, a leak, a broken invariant, a failure
# in the debug log, a step that did not do what it should or a level that
# never had a turn fails the door.
SOAK_MINUTES  ?= 120
SOAK_SEED     ?= 1
SOAK_FRAME_MS ?= 16
soak: deps
	cmake -S . -B $(ASAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DGG_SANITIZE=ON -DGG_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target gobble_soak
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  $(ASAN_BUILD)/gobble_soak --minutes $(SOAK_MINUTES) --seed $(SOAK_SEED) \
	  --frame-ms $(SOAK_FRAME_MS) --work $(ASAN_BUILD)/soak --every-level

bench: build
	mkdir -p $(BUILD)/bench
	$(BUILD)/gobble_bench --benchmark_repetitions=5 \
	  --benchmark_out=$(BUILD)/bench/results.json --benchmark_out_format=json \
	  --report-template=bench/PERFORMANCE.md.in --report-out=docs/PERFORMANCE.md

# Contact sheets of the generated art: one PNG per archive in $(BUILD)/sheets/,
# every animation frame by frame and every picture, drawn as the game draws them.
sheets: build
	$(BUILD)/contact_sheets $(BUILD)/data $(BUILD)/sheets

# The README's screens in docs/screens/, taken from the game as built by the
# headless runner following tools/screens/screens.script.
screens: build
	rm -rf $(BUILD)/screens-state
	$(BUILD)/gobble --headless --data $(BUILD)/data --settings-dir $(BUILD)/screens-state \
	  --log $(BUILD)/screens.log --seed 9 --script tools/screens/screens.script
	$(BUILD)/png_squeeze docs/screens/*.png

# libFuzzer on every reader of the game's files (fuzz/README.md): clang with
# ASan, UBSan and LeakSanitizer, only the libraries the targets need, seeds
# made by the game's writers. `fuzz` runs each target FUZZ_SECONDS; `test`
# runs each for FUZZ_QUICK_SECONDS. Any finding fails the door; findings
# land in $(FUZZ_BUILD)/findings/.
FUZZ_BUILD         ?= build-fuzz
FUZZ_SECONDS       ?= 300
FUZZ_QUICK_SECONDS ?= 20
fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DGG_SANITIZE=ON -DGG_FUZZ=ON -DGG_TESTS=OFF -DGG_BENCH=OFF -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	$(FUZZ_BUILD)/write_seeds $(FUZZ_BUILD)/seeds

fuzz: fuzz-build
	fuzz/run_fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(JOBS)

fuzz-quick: fuzz-build
	fuzz/run_fuzzers.sh $(FUZZ_BUILD) $(FUZZ_QUICK_SECONDS) $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
