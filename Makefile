# Entry points. `make test` and `make run` install the tool packages they
# need (Debian 12, as root) before they build.

.PHONY: run test bench dist dist-test clean

# Starts the screen saver under Wine: on $DISPLAY when there is one, else in a
# virtual X server, saving a screenshot to out/brumo.png.
run:
	scripts/run.sh

# Native unit tests (plain and sanitized), both Windows builds, Wine tests and
# end-to-end runs: what CI runs.
test:
	scripts/test.sh

# Google Benchmark programs of the drawing code (native build), then the frame
# benchmark of the real path under Wine at 1920x1080 (tests/bench/frame-bench.sh
# also compares two build folders in turns).
bench:
	scripts/install-deps.sh
	scripts/build-preset.sh native
	if [ -x build/native/tests/bench_drawing ]; then build/native/tests/bench_drawing; \
	else echo "no benchmark program was built (libbenchmark-dev missing?)"; fi
	scripts/build-preset.sh win64 bench_frames && tests/bench/frame-bench.sh build/win64

# The release files, in out/: the 64-bit setup program, the 64-bit and 32-bit
# archives and SHA256SUMS (scripts/dist.sh).
dist:
	scripts/install-deps.sh
	scripts/dist.sh

# The release files' test: the archives' contents, and the setup program and
# its uninstaller under Wine (`make test` runs it too).
dist-test: dist
	scripts/build-preset.sh win64 brumo e2e_helper
	tests/dist/test_installer.sh

clean:
	rm -rf build out
