# The two commands of the README: `make run` and `make test` do all the set-up themselves.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan fuzz bench package install clean

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

# On CI (CI=true) the suite then runs again under the sanitizers, and every fuzzer runs for a few
# seconds; `make test CI=true` does the same on any machine.
FUZZ_SMOKE_SECONDS ?= 5
test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
ifeq ($(CI),true)
	$(MAKE) test-asan
	$(MAKE) fuzz FUZZ_SECONDS=$(FUZZ_SMOKE_SECONDS)
endif

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer, in a build folder of its own.
ASAN_DIR ?= build-asan
test-asan: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
		-DCMAKE_C_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

# Each parser's fuzzer for FUZZ_SECONDS (built with clang in build-fuzz/); the corpora replay in `make test`.
FUZZ_SECONDS ?= 60
fuzz:
	./scripts/install-deps fuzz
	./fuzz/run-fuzzers $(FUZZ_SECONDS)

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
