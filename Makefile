# The two commands of the README. Both install what is missing first.
.PHONY: demo try screenshots test bench soak wine-bench-build fuzz fuzz-build native tsan win32 win64 dist clean bootstrap

JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

bootstrap:
	@scripts/bootstrap

native: bootstrap
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

# Only the core's unit tests: they are what runs threads against each other.
tsan: bootstrap
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan -j $(JOBS)

fuzz-build: bootstrap
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)

# Each target for FUZZ_SECONDS on a copy of its seed corpus; what it finds
# is left in build/fuzz/fuzz/.
FUZZ_SECONDS ?= 60
fuzz: fuzz-build
	@for f in build/fuzz/fuzz/*_fuzz; do \
	  name=$$(basename $$f _fuzz); work=build/fuzz/corpus/$$name; \
	  mkdir -p $$work && cp -n fuzz/corpus/$$name/* $$work/; \
	  echo "== $$f"; $$f -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build/fuzz/fuzz/$$name- $$work || exit 1; \
	done

win32: bootstrap
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32 -j $(JOBS)

win64: bootstrap
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64 -j $(JOBS)

test: native tsan fuzz-build win32 win64
	@scripts/run-tests

bench: bootstrap
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	@for b in build/bench/bench/*_bench; do echo "== $$b"; $$b; done
	@$(MAKE) wine-bench-build
	@scripts/wine-bench

# Under Wine: Tolvane.exe between the simulators for 1,000 whole calls, its
# memory before and after.
SOAK_CALLS ?= 1000
soak: bootstrap
	@$(MAKE) wine-bench-build
	@scripts/wine-bench soak $(SOAK_CALLS)

# The Wine benchmark and the programs it stages, from the 64-bit build.
wine-bench-build:
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64 -j $(JOBS) --target wine_bench

# The packages that ship, from the 32-bit build: build/dist/ gets the
# installer and the zip of this version.
dist: win32
	@v=$$(sed -nE 's/^project\(Tolvane VERSION ([0-9.]+).*/\1/p' CMakeLists.txt); \
	rm -rf build/dist && mkdir -p build/dist && \
	cp build/win32/dist/Tolvane-$$v-win32-setup.exe build/win32/dist/Tolvane-$$v-win32.zip build/dist/ && \
	ls -1 build/dist/*

# Builds only the programs it runs, from the 32-bit build where this machine
# runs 32-bit programs (the 64-bit one otherwise).
demo: bootstrap
	@JOBS=$(JOBS) scripts/demo

# Both simulators in windows: on $DISPLAY, else under Xvfb with screenshots in build/try/.
try: win64
	@scripts/try

# The tray menu and the dialogs in the three languages: docs/screenshots/.
screenshots: win64
	@scripts/screenshots

clean:
	rm -rf build
