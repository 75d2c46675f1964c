# SPDX-License-Identifier: GPL-3.0-or-later
# The whole set-up in two commands: `make run` and `make test`.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 300

.PHONY: run test lint build setup bench fuzz screenshots clean

setup:
	@scripts/setup.sh

build: setup
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

run: build
	@build/app/fraction-test

# clang-format in check mode over every source, and clang-tidy over the build's sources.
lint: build
	@scripts/lint.sh build

# Every test three ways: the ordinary build (warnings are errors there), the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzzers for a bounded number of
# inputs; and the lint.
test: build
	@ctest --preset default -j $(JOBS)
	@scripts/lint.sh build
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j $(JOBS)
	@ctest --preset sanitize -j $(JOBS)
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@ctest --preset fuzz -j $(JOBS)

bench: build
	@build/bench/bench_engine

# Each fuzzer for FUZZ_SECONDS, keeping what it finds in build-fuzz/tests/fuzz/found.
fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@for f in fuzz_conversion fuzz_marking fuzz_fractions; do \
	    echo "== $$f"; \
	    build-fuzz/tests/fuzz/$$f -max_total_time=$(FUZZ_SECONDS) -timeout=10 -max_len=512 \
	        -print_final_stats=1 build-fuzz/tests/fuzz/found/$$f tests/fuzz/corpus/$$f || exit 1; \
	done

screenshots: build
	@scripts/with-xvfb.sh scripts/screenshots.sh build/app/fraction-test
	@XVFB_SCREEN=1280x1400x24 QT_SCALE_FACTOR=2 scripts/with-xvfb.sh \
	    scripts/screenshots.sh build/app/fraction-test -scale2
	@rm -f docs/screenshot-start-scale2.png docs/screenshot-test-scale2.png
	@XVFB_SCREEN=1400x900x24 scripts/with-xvfb.sh scripts/journal-screenshots.sh \
	    build/app/fraction-test build/bench/fill_journal

clean:
	@rm -rf build build-sanitize build-fuzz
