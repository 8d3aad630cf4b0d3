# The two commands of the README: `make run` and `make test`. Each installs what is missing,
# prepares the private Wine prefix once, and builds what changed.
BUILD      := build
NATIVE_DIR := $(BUILD)/native
WIN32_DIR  := $(BUILD)/win32
CLANG_DIR  := $(BUILD)/win32-clang
JOBS       ?= 2

.PHONY: run test setup prefix native win32 win32-clang test-native test-win32 test-win32-clang \
        bench-stage bench dist

run: win32
	tools/run-game.sh $(WIN32_DIR)/app/kaleidra.exe

test: test-native test-win32 test-win32-clang

setup:
	tools/setup-debian.sh

prefix: setup
	tools/wine-prefix.sh

native: setup
	@[ -f $(NATIVE_DIR)/CMakeCache.txt ] || cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_CXX_COMPILER=clang++ -DKALEIDRA_SANITIZE=ON -DKALEIDRA_FUZZ=ON
	cmake --build $(NATIVE_DIR) -j$(JOBS)

win32: prefix
	@[ -f $(WIN32_DIR)/CMakeCache.txt ] || cmake -S . -B $(WIN32_DIR) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
	cmake --build $(WIN32_DIR) -j$(JOBS)

# The same Windows tree built by clang and lld, against the same MinGW-w64 headers and libraries.
win32-clang: prefix
	@[ -f $(CLANG_DIR)/CMakeCache.txt ] || cmake -S . -B $(CLANG_DIR) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/clang-x86_64-w64-windows-gnu.cmake
	cmake --build $(CLANG_DIR) -j$(JOBS)

test-native: native
	ctest --test-dir $(NATIVE_DIR) --output-on-failure -j$(JOBS)

test-win32: win32
	tools/run-win32-tests.sh $(WIN32_DIR) -j$(JOBS)

# All of the clang tree's Windows tests, play-throughs included: about a minute and a half.
test-win32-clang: win32-clang
	tools/run-win32-tests.sh $(CLANG_DIR) -j$(JOBS)

# The zip for Windows players: the Windows tree packs it (so the tests unpack the real thing); it is
# copied out under the project's version.
dist: win32
	@version=$$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $(WIN32_DIR)/CMakeCache.txt); \
	zip=kaleidra-$$version-win64.zip; \
	mkdir -p dist && cp $(WIN32_DIR)/release/$$zip dist/ && echo "dist/$$zip"

# Solve times of the stage tool, from an optimised build of its own (the native build has sanitizers).
bench-stage: native
	@[ -f $(BUILD)/bench/CMakeCache.txt ] || cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)/bench -j$(JOBS) --target kaleidra-stage-bench
	$(BUILD)/bench/stage_tool/kaleidra-stage-bench

# The game against a bare Win32 window in a prefix of its own (build/bench-wineprefix); options of
# tools/bench/bench.py go in BENCH_ARGS, for example BENCH_ARGS="--operations 1000".
bench: win32
	tools/bench/run-bench.sh $(WIN32_DIR) $(BENCH_ARGS)
