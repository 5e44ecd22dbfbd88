# The README's commands. Each one sets up what it needs first, through
# scripts/setup.sh: make run only what the build and the programs need.
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

.PHONY: all build programs test soak fuzz mutants run stems demo screenshots install deb bench clean

all: build

CONFIGURE = cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

# Everything, the tests included, with the tests' tools.
build:
	@scripts/setup.sh test
	@$(CONFIGURE)
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The programs and what make install writes, with only what they need.
PROGRAM_TARGETS = plexora plexora-merge plexora-info plexora-split plexora-make-stems plexora-icon-files
programs:
	@scripts/setup.sh run
	@$(CONFIGURE)
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target $(PROGRAM_TARGETS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --no-tests=error -j $(JOBS) -LE slow

# The slow tests (4 GB outputs), one at a time.
soak: build
	cd $(BUILD_DIR) && ctest --output-on-failure --no-tests=error -L slow

# libFuzzer targets in their own clang build; each runs FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
FUZZ_DIR = build-fuzz
fuzz:
	@scripts/setup.sh fuzz
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLEXORA_FUZZ=ON \
	  -DPLEXORA_WERROR=$(if $(filter 1,$(WERROR)),ON,OFF) >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@fuzz/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# A sample of single-line faults, one at a time, against the tests of make
# test, in a build of its own; MUTANTS=3,7 runs only those rows.
mutants:
	@scripts/setup.sh test
	@python3 scripts/mutants.py --jobs $(JOBS) $(if $(MUTANTS),--rows $(MUTANTS))

# The demo merge: six tones, one per speaker of 5.1, into one file.
DEMO_DIR = $(BUILD_DIR)/demo
DEMO_STEMS = $(foreach s,FL FR FC LF BL BR,$(DEMO_DIR)/drums$(s).wav)
MAKE_DEMO_STEMS = mkdir -p $(DEMO_DIR) && $(BUILD_DIR)/tools/plexora-make-stems -s 4 $(DEMO_STEMS)
DEMO_MERGE = $(BUILD_DIR)/bin/plexora-merge --auto $(DEMO_DIR)/drumsFL.wav

stems: programs
	@$(MAKE_DEMO_STEMS)
	@echo "Demo stems: $(DEMO_STEMS)"

demo: stems
	@$(DEMO_MERGE)

# The desktop program, started from the build folder (its settings file,
# settings.pxr, lives beside it) with the demo stems' folder as the one its
# file dialogs open first.
run: programs
	@$(MAKE_DEMO_STEMS)
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: the desktop program needs a desktop session; without one, merge the demo with '$(DEMO_MERGE)'"; \
	else \
	  cd $(DEMO_DIR) && $(abspath $(BUILD_DIR))/bin/plexora; \
	fi

# PNG files of the program's windows, in $(BUILD_DIR)/screenshots.
screenshots: build
	@$(BUILD_DIR)/tools/plexora-screenshots $(BUILD_DIR)/screenshots

# make install PREFIX=folder: the programs, the desktop entry, the metainfo,
# the icons, the man pages and the completion.
install: programs
	@if [ -z "$(PREFIX)" ]; then echo "make install: say where, as in 'make install PREFIX=$$HOME/Plexora'"; exit 2; fi
	@cmake --install $(BUILD_DIR) --prefix "$(abspath $(PREFIX))"

# The Debian package $(BUILD_DIR)/plexora_VERSION_amd64.deb, built by CPack
# from what make install writes.
deb: programs
	@scripts/setup.sh deb
	@rm -f $(BUILD_DIR)/plexora_*.deb
	@cd $(BUILD_DIR) && cpack -B . >/dev/null
	@ls $(BUILD_DIR)/plexora_*.deb

bench: programs
	@scripts/setup.sh bench
	@bench/merge-bench.sh $(BUILD_DIR)
	@echo
	@bench/levels-bench.sh $(BUILD_DIR)

clean:
	rm -rf build build-sanitize build-fuzz build-mutants
