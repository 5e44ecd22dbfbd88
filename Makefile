# The README's commands. Each one sets up what it needs first.
MAKEFLAGS += --no-print-directory
SANITIZE ?= 0
WERROR ?= $(if $(CI),1,0)
JOBS ?= $(shell nproc)
ifeq ($(SANITIZE),1)
BUILD_DIR ?= build-sanitize
BUILD_TYPE ?= Debug
else
BUILD_DIR ?= build
BUILD_TYPE ?= Release
endif

CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
  -DPLEXORA_WERROR=$(if $(filter 1,$(WERROR)),ON,OFF) \
  -DPLEXORA_SANITIZE=$(if $(filter 1,$(SANITIZE)),ON,OFF)

.PHONY: all setup build test soak fuzz mutants run stems demo screenshots install bench clean

all: build

setup:
	@scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) -LE slow

# The slow tests (4 GB outputs), one at a time.
soak: build
	cd $(BUILD_DIR) && ctest --output-on-failure -L slow

# libFuzzer targets in their own clang build; each runs FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
FUZZ_DIR = build-fuzz
fuzz: setup
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLEXORA_FUZZ=ON \
	  -DPLEXORA_WERROR=$(if $(filter 1,$(WERROR)),ON,OFF) >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@fuzz/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# A sample of single-line faults, one at a time, against the tests of make
# test, in a build of its own; MUTANTS=3,7 runs only those rows.
mutants: setup
	@python3 scripts/mutants.py --jobs $(JOBS) $(if $(MUTANTS),--rows $(MUTANTS))

# The demo merge: six tones, one per speaker of 5.1, into one file.
DEMO_DIR = $(BUILD_DIR)/demo
DEMO_STEMS = $(foreach s,FL FR FC LF BL BR,$(DEMO_DIR)/drums$(s).wav)

stems: build
	@mkdir -p $(DEMO_DIR)
	@$(BUILD_DIR)/bench/plexora-make-stems -s 4 $(DEMO_STEMS)
	@echo "Demo stems: $(DEMO_STEMS)"

demo: stems
	@$(BUILD_DIR)/cli/plexora-merge --auto $(DEMO_DIR)/drumsFL.wav

# The desktop program, started from the build folder (its settings file,
# settings.pxr, lives beside it) with the demo stems' folder as the one its
# file dialogs open first.
run: stems
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display here (DISPLAY is not set): try 'xvfb-run -a $(BUILD_DIR)/app/plexora', or merge the demo with '$(BUILD_DIR)/cli/plexora-merge --auto $(DEMO_DIR)/drumsFL.wav'."; \
	else \
	  cd $(DEMO_DIR) && $(abspath $(BUILD_DIR))/app/plexora; \
	fi

# PNG files of the program's windows, in $(BUILD_DIR)/screenshots.
screenshots: build
	@$(BUILD_DIR)/tests/qt/plexora-screenshots $(BUILD_DIR)/screenshots

# make install PREFIX=folder: both programs, the desktop entry and the icons.
install: build
	@if [ -z "$(PREFIX)" ]; then echo "make install: say where, as in 'make install PREFIX=$$HOME/Plexora'"; exit 2; fi
	@cmake --install $(BUILD_DIR) --prefix "$(abspath $(PREFIX))"

bench: build
	@bench/merge-bench.sh $(BUILD_DIR)

clean:
	rm -rf build build-sanitize build-fuzz build-mutants
