# Tessel: one entry point for setting up, building, testing and packaging.
#   make test    install what is missing, build both trees and the sanitized core (build/asan,
#                build/tsan), run every test (one CTest run)
#   make run     build, then start the calendar under Wine from build/run/ (EDITION=classic:
#                the classic edition)
#   make bench   build, then run every benchmark (RATIO lines)
#   make dist    build, then pack the Windows programs into build/dist/
#   make build   install what is missing and build both trees
#   make fuzz    build the fuzz targets and run each for FUZZ_SECONDS seconds (default 60)

MAKEFLAGS += --no-print-directory

FUZZ_SECONDS ?= 60

.PHONY: all deps build sanitized test run bench dist fuzz

all: build

deps:
	@bash tools/install-deps.sh

build: deps
	@bash tools/build.sh

# The native core and its tests again with AddressSanitizer and UBSan, and the two-thread test of
# the stores with ThreadSanitizer, run by the same CTest run.
sanitized: deps
	@bash tools/build-asan.sh
	@bash tools/build-tsan.sh

test: build sanitized
	@bash tools/run-tests.sh

run: build
	@EDITION=$(EDITION) bash tools/run-calendar.sh

bench: build
	@bash tools/run-bench.sh

dist: build
	@bash tools/make-dist.sh

fuzz: deps
	@FUZZ_SECONDS=$(FUZZ_SECONDS) bash tools/run-fuzz.sh
