# The doors into the project: make run, make test, make test-asan, make bench.
# Every target first makes sure the Debian packages the build needs are there.

BUILD      ?= build
ASAN_BUILD ?= build-asan
GENERATOR  := Ninja
JOBS       ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ clang pkg-config libsdl2-dev libsdl2-ttf-dev \
            libfontconfig-dev fonts-liberation2 fonts-dejavu-core libcairo2-dev libgtest-dev libgmock-dev \
            libbenchmark-dev libclang-rt-dev xvfb xauth xdotool x11-utils x11-apps

.PHONY: all deps configure build run test test-asan bench fuzz sheets screens clean

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

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DGG_SANITIZE=ON -DGG_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	mkdir -p $(BUILD)/bench
	$(BUILD)/gobble_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
	  --benchmark_out=$(BUILD)/bench/results.json --benchmark_out_format=json

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

# libFuzzer on the archive and image readers, FUZZ_SECONDS each, from seeds
# the writers make. Crashes land in $(FUZZ_BUILD)/ as crash-* files.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DGG_SANITIZE=ON -DGG_FUZZ=ON -DGG_TESTS=OFF -DGG_BENCH=OFF -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_archive fuzz_image write_seeds
	$(FUZZ_BUILD)/write_seeds $(FUZZ_BUILD)/seeds
	for t in archive image; do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t && \
	  (cd $(FUZZ_BUILD) && ./fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -close_fd_mask=3 corpus/$$t seeds/$$t) || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
