# Front door of the project.
#   make          build the three builds (native, win32, win64)
#   make test     build everything and run every test suite
#   make demo     run the example plant through the host stand-in
#   make bench    run the benchmarks (not part of make test)
# On a fresh Debian machine, run as root, missing packages are installed
# first; otherwise the build stops naming what to install.

PACKAGES := make cmake g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev \
            libbenchmark-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools \
            wine64 python3 python3-pefile xvfb imagemagick fonts-wine
BUILDS := native native-san win32 win64
JOBS ?= 2

.PHONY: all deps test demo bench screenshot clean $(addprefix build-,$(BUILDS))

all: $(addprefix build-,$(BUILDS))

deps:
	@./tools/ensure-packages.sh $(PACKAGES)

$(addprefix build-,$(BUILDS)): build-%: deps
	@test -f build/$*/CMakeCache.txt || cmake --preset $* >/dev/null
	cmake --build build/$* -j$(JOBS)

# One ctest run over every build, so there is one summary.
build/CTestTestfile.cmake:
	@mkdir -p build
	@printf 'subdirs("native" "native-san" "win32" "win64")\n' > $@

test: all build/CTestTestfile.cmake
	cd build && ctest -j$(JOBS) --output-on-failure --timeout 900

demo: deps build-win64
	./tools/demo.sh

bench: deps build-native
	build/native/bench/velmok_bench

screenshot: deps build-win64
	./tools/screenshot.sh

clean:
	rm -rf build
