# The two commands of the README, plus a few conveniences.
#   make test   install what is missing, build, run every test, then the
#               sanitizer builds and the fuzz targets (scripts/run-hardening;
#               HARDENING=0 leaves them out, FUZZ_SECONDS sets each target's time)
#   make run    install what is missing, build, start the window program
#   make install   build, then install under PREFIX (default /usr/local),
#               into DESTDIR when given (staging for packagers)
#   make package   build the Debian package build/sorvane_<version>_amd64.deb
# CONFIG=Debug builds the debug configuration in build-debug/.

CONFIG ?= Release
ifeq ($(CONFIG),Release)
BUILD_DIR ?= build
else
BUILD_DIR ?= build-$(shell echo $(CONFIG) | tr A-Z a-z)
endif
JOBS ?= 2
HARDENING ?= 1
PREFIX ?= /usr/local

.PHONY: all deps configure build test run bench install package clean

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(CONFIG) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) --parallel $(JOBS)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
ifneq ($(HARDENING),0)
	@JOBS=$(JOBS) bash scripts/run-hardening
endif

run: build
	@$(BUILD_DIR)/bin/sorvane

install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR)

package: build
	@cd $(BUILD_DIR) && cpack -G DEB

bench: build
	@$(BUILD_DIR)/bin/merge_bench
	@$(BUILD_DIR)/bin/parse_bench
	@$(BUILD_DIR)/bin/results_view_bench
	@$(BUILD_DIR)/bin/block_search_bench
	@$(BUILD_DIR)/bin/search_run_bench
	@$(BUILD_DIR)/bin/learn_markers_bench
	@BUILD_DIR=$(BUILD_DIR) bench/learn-quality

clean:
	@rm -rf $(BUILD_DIR)
