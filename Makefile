# The doors into the project: make run, make test, make test-asan, make bench.
# Every target first makes sure the Debian packages the build needs are there.

BUILD      ?= build
ASAN_BUILD ?= build-asan
GENERATOR  := Ninja
JOBS       ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ clang pkg-config libsdl2-dev libsdl2-ttf-dev \
            libfontconfig-dev fonts-liberation2 libcairo2-dev libgtest-dev libgmock-dev \
            libbenchmark-dev xvfb xauth xdotool x11-utils

.PHONY: all deps configure build run test test-asan bench clean

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
	  ctest --output-on-failure -j $(JOBS)

bench: build
	mkdir -p $(BUILD)/bench
	$(BUILD)/gobble_bench --benchmark_out=$(BUILD)/bench/blit.json --benchmark_out_format=json

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
