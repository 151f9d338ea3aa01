# Kanoze: `make play` builds and runs the game, `make test` builds and runs every test,
# `make dist` packs the release zips. Each installs what it is missing first
# (tools/setup.sh): building and packing need only the build tools and
# libjpeg-turbo's source (tools/libjpeg-turbo.sh fetches it into build/ once),
# the targets that run the game under Wine also need Wine, a virtual display and fonts.

# Each build tree is named once, in CMakePresets.json: build/<preset>.
BUILD := build
WIN64 := $(BUILD)/win64
WIN32 := $(BUILD)/win32
NATIVE := $(BUILD)/native
FUZZ := $(BUILD)/fuzz
# Extra arguments for ctest (tools/test-all.sh asks for a JUnit report).
CTEST_FLAGS :=

.PHONY: all setup setup-build setup-fuzz setup-wine build dist play test check unit fuzz fuzz-check e2e soak bench clean

all: build

setup:
	@tools/setup.sh build fuzz wine
setup-build:
	@tools/setup.sh build
	@tools/libjpeg-turbo.sh
setup-fuzz:
	@tools/setup.sh build fuzz
setup-wine:
	@tools/setup.sh build wine

$(BUILD)/%/build.ninja:
	cmake --preset $*

# Both Windows programs: build/win64/kanoze.exe (tested) and build/win32/kanoze.exe.
build: setup-build $(WIN64)/build.ninja $(WIN32)/build.ninja
	cmake --build --preset win64
	cmake --build --preset win32

# Release zips of both programs and their SHA256SUMS in dist/.
dist: setup-build $(WIN64)/build.ninja $(WIN32)/build.ninja
	@tools/dist.sh

play: build setup-wine
	@tools/play.sh

unit: setup-build $(NATIVE)/build.ninja
	cmake --build --preset native
	ctest --preset native $(CTEST_FLAGS)

# The short bounded run that `make test` makes.
fuzz-check: setup-fuzz $(FUZZ)/build.ninja
	cmake --build --preset fuzz
	ctest --preset fuzz $(CTEST_FLAGS)

# The long run, outside CI: a million inputs; new finds join the kept corpus.
fuzz: setup-fuzz $(FUZZ)/build.ninja
	cmake --build --preset fuzz
	@tools/run-fuzz.sh

# The tests also start the program from the unpacked win64 zip.
e2e: build dist setup-wine
	tools/run-e2e.sh

# The 32-bit programs with Wine's 32-bit half (tools/wine32.sh: the i386
# processes run in qemu-i386, set up once under build/).
.PHONY: build32 build32-tests e2e32
build32: build32-tests setup-wine
	@tools/wine32.sh
build32-tests: setup-build $(WIN32)/build.ninja
	cmake --build --preset win32-tests

# The end-to-end tests against the 32-bit kanoze.exe.
e2e32: build32 dist
	KANOZE_TARGET=win32 tools/run-e2e.sh

# The long soak, outside CI: a hundred games (KANOZE_SOAK_GAMES) through real
# input on a drawn seed (KANOZE_SOAK_SEED), which it prints; `make test` plays
# the short one on a fixed seed.
soak: build setup-wine
	KANOZE_SOAK_GAMES=$${KANOZE_SOAK_GAMES:-100} KANOZE_SOAK_SEED=$${KANOZE_SOAK_SEED:-$$(shuf -i 1-16777215 -n 1)} \
	  tools/run-e2e.sh --gtest_filter='SoakTest.*'

# Speed against the platform's floor: one table, every figure a ratio.
bench: build build32 setup-wine
	@tools/run-bench.sh

# Every layer runs even when an earlier one fails; one summary line ends it.
# The end-to-end suites of the two programs run side by side, each in shards.
test: setup
	@tools/test-all.sh

# The quick tier for the daily loop: the 64-bit program, the unit tests, the
# short fuzz run and the 64-bit end-to-end suite without the tests that take
# longest (CHECK_SKIP: the soak, the leak run of hundreds of frames and the
# celebrations waited out in full).
# `make test` remains the whole proof.
CHECK_SKIP := SoakTest.*:LeakTest.*:ClearTest.TextWiderThanTheViewRunsAsMarqueeUntilTheTenSecondsEnd:$\
  ClearTest.ANewGameBegunDuringTheCelebrationEndsItAndCelebratesInItsTurn
check: setup-build setup-fuzz setup-wine $(WIN64)/build.ninja
	cmake --build --preset win64
	KANOZE_DIST=$(CURDIR)/$(BUILD)/check-dist KANOZE_DIST_PLATFORMS=win64 tools/dist.sh >/dev/null
	$(MAKE) --no-print-directory unit fuzz-check
	KANOZE_DIST=$(CURDIR)/$(BUILD)/check-dist KANOZE_E2E_WORKERS=$${KANOZE_E2E_WORKERS:-4} \
	  tools/run-e2e.sh --gtest_filter='-$(CHECK_SKIP)'

clean:
	rm -rf $(BUILD) dist
