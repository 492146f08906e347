# Entry points for a fresh Debian 12 machine: each target installs what is missing, configures
# and builds before it does its own work.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc)
APP_DIR     = $(BUILD)/app
REGISTRY    = $(BUILD)/registry.ini

# What `make run` builds: the program it starts, which copies the sensor tables and the help
# beside itself (no tests, benchmarks or fuzzers).
RUN_TARGETS = delvo2
# What the Debian package holds: the programs, the icons and the man pages.
PACKAGE_TARGETS = delvo2 delvo2-cli delvo2-sim delvo2_packaging_files

.PHONY: all deps deps-run configure build run test check fuzz-smoke bench sanitize package mutants certificate-example clean

all: build

# Every package the build, the tests and the Debian package need; deps-run only those `make run` needs.
deps:
	@bash tools/install-deps.sh all

deps-run:
	@bash tools/install-deps.sh run

$(BUILD)/build.ninja: | deps-run
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Starts the program from the build tree on the simulated transmitter (--demo), so it shows its
# work without hardware; its registry file points at the build's program folder.
run: deps-run $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target $(RUN_TARGETS)
	cmake -DREGISTRY=$(abspath $(REGISTRY)) -DAPP_EXE=$(abspath $(APP_DIR))/delvo2 -P cmake/WriteRegistry.cmake
	DELVO2_REGISTRY=$(abspath $(REGISTRY)) $(APP_DIR)/delvo2 --demo $(ARGS)

# The Debian package delvo2_<version>_<arch>.deb in $(BUILD)/, made from the build tree.
package: configure
	cmake --build $(BUILD) -j $(JOBS) --target $(PACKAGE_TARGETS)
	cd $(BUILD) && cpack -G DEB

# Every test of the build (window tests without a display unless one is asked for), then each
# fuzz target for a few seconds.
test: check
	$(MAKE) fuzz-smoke

check: build
	QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Each fuzz target for 3 s (its own clang build in build-fuzz/); tools/fuzz.sh SECONDS runs longer.
fuzz-smoke: deps
	JOBS=$(JOBS) bash tools/fuzz.sh 3

# Speed figures against the simulator on a pseudo-terminal, of the windows and the live trend under
# the offscreen platform, and of the unit history with 100,000 snapshots (docs/performance.md). They
# print figures; nothing here is a test.
bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target link_bench gui_bench trend_bench trace_bench history_bench delvo2-sim delvo2 delvo2-cli
	$(BUILD)/bench/link_bench
	$(BUILD)/bench/trace_bench
	QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} $(BUILD)/bench/gui_bench
	QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} $(BUILD)/bench/trend_bench
	$(BUILD)/bench/history_bench

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, in its own build folder.
sanitize:
	$(MAKE) check BUILD=build-asan BUILD_TYPE=Debug CMAKE_ARGS=-DDELVO_SANITIZE=ON

# A sample of single-point mutants of the sources, each built and run against the test programs in
# a mirror of the tree (build-mutants/): killed and surviving mutants and a score (README).
SEED   ?= 1
COUNT  ?= 60
LAYERS ?= model,link,calibration,views,app
mutants: build
	python3 tools/mutants.py --seed $(SEED) --count $(COUNT) --layers $(LAYERS) --jobs $(JOBS) $(MUTANTS_ARGS)

# The example certificate in docs/ (a whole check of the simulated unit in virtual time) and a
# picture of its first page.
certificate-example: configure
	cmake --build $(BUILD) --target certificate_example
	$(BUILD)/tools/certificate_example docs/certificate-example.pdf
	pdftoppm -png -r 70 -f 1 -l 1 -singlefile docs/certificate-example.pdf docs/certificate-example

clean:
	rm -rf $(BUILD) build-asan build-fuzz build-mutants
