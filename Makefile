# Tessel: one entry point for setting up, building, testing and packaging.
#   make test    install what is missing, build both trees, run every test (one CTest run)
#   make run     build, then start the calendar under Wine from build/run/ (EDITION=classic:
#                the classic edition)
#   make bench   build, then run every benchmark (RATIO lines)
#   make dist    build, then pack the Windows programs into build/dist/
#   make build   install what is missing and build both trees

MAKEFLAGS += --no-print-directory

.PHONY: all deps build test run bench dist

all: build

deps:
	@bash tools/install-deps.sh

build: deps
	@bash tools/build.sh

test: build
	@bash tools/run-tests.sh

run: build
	@EDITION=$(EDITION) bash tools/run-calendar.sh

bench: build
	@bash tools/run-bench.sh

dist: build
	@bash tools/make-dist.sh
