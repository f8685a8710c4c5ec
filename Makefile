# The two commands of the README: `make run` and `make test` do all the set-up themselves.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench package install clean

all: build

deps:
	./scripts/install-deps

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/tapoli

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Start-up, clicks, files and font change beside their floors; never part of `make test`.
bench: build
	cmake --build $(BUILD_DIR) --target bench

# The Debian package, tapoli_<version>-1_<arch>.deb, in $(BUILD_DIR).
package: build
	cd $(BUILD_DIR) && cpack

# Into /usr/local unless PREFIX says otherwise; DESTDIR is honoured for staged installs.
install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf $(BUILD_DIR)
