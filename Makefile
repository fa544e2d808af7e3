# The two commands of the README: `make demo` and `make test`.
# Both install what is missing, build incrementally and run.

BUILD    ?= build
OUT      ?= out
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
# What the library and the command need; the tests and benchmarks need the rest. Time zones come from
# Howard Hinnant's date library reading the system's zone database (tzdata).
RUNTIME  := g++ make cmake pkg-config libcairo2-dev libfontconfig-dev libfreetype-dev libpng-dev \
            fonts-liberation2 libhowardhinnant-date-dev tzdata libsqlite3-dev libpq-dev
# The Python package builds offline with Debian's setuptools, wheel and pip; its tests use pytest, numpy
# and pandas in a virtual environment.
WHEEL    := $(RUNTIME) python3 python3-pip python3-setuptools python3-wheel
PACKAGES := $(WHEEL) python3-venv python3-numpy python3-pandas python3-pytest libgtest-dev libgmock-dev \
            libbenchmark-dev libmuparser-dev qt6-base-dev qt6-declarative-dev qml6-module-qtquick xvfb poppler-utils clang-format librsvg2-bin \
            libqcustomplot-dev libqcustomplot2.1-qt6 qt6-svg-dev doxygen postgresql-15

PLOTARA  := $(BUILD)/hosts/cli/plotara
PYTHON   ?= $(shell [ -x /usr/bin/python3 ] && echo /usr/bin/python3 || echo python3)

.PHONY: demo docs test test-sanitize test-threads build deps deps-runtime deps-wheel bench wheel clean

# The demo builds the command alone: no tests, no benchmarks.
demo: deps-runtime
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DPLOTARA_BUILD_TESTS=OFF -DPLOTARA_BUILD_BENCH=OFF
	cmake --build $(BUILD) -j $(JOBS) --target plotara_cli
	@mkdir -p $(OUT)
	@for s in examples/*.plotara; do \
	  [ -f "$$s" ] || continue; \
	  n=$$(basename $$s .plotara); \
	  $(PLOTARA) render $$s -o $(OUT)/$$n.png || exit 1; \
	  echo "  $(OUT)/$$n.png"; \
	done
	@echo "The example pictures are in $(OUT)/"

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Python package as a wheel carrying libplotara.so.1: dist/plotara-VERSION-py3-none-PLATFORM.whl.
# Install it with pip into a virtual environment.
wheel: deps-wheel
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DPLOTARA_BUILD_TESTS=OFF -DPLOTARA_BUILD_BENCH=OFF
	cmake --build $(BUILD) -j $(JOBS) --target plotara_shared
	sh bindings/python/make-wheel.sh $(BUILD)/libplotara.so.1 dist $(PYTHON)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer (GCC leaves
# float-cast-overflow out of undefined: named here), in a build folder of its own. LeakSanitizer skips
# only fontconfig's own configuration leak. Programs that load the library into another runtime (Python,
# the installed package) cannot take the sanitizer runtime, and the Qt host brings its toolkit's own leaks
# and an X server: those are left to `make test`.
SANITIZE_BUILD ?= build-asan
# The sanitizers' instrumentation makes GCC 12 report std::regex and std::function as maybe uninitialized
# (false positives inside libstdc++); the sanitizer runs themselves catch the real thing.
SANITIZE_FLAGS := -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_CXX   := $(SANITIZE_FLAGS) -Wno-maybe-uninitialized
SANITIZE_ENV   := ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 \
                  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0
test-sanitize: deps
	@[ -f $(SANITIZE_BUILD)/CMakeCache.txt ] || cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS="$(SANITIZE_CXX)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_SHARED_LINKER_FLAGS="$(SANITIZE_FLAGS)" \
	  -DPLOTARA_BUILD_TESTS=ON -DPLOTARA_BUILD_BENCH=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DPLOTARA_WERROR=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS) -E 'Python|^Install\.'

# Two controls on two threads under ThreadSanitizer: only that test program, in its own build folder.
# Only cairo, built without the sanitizer, is suppressed (tools/tsan.supp).
THREADS_BUILD ?= build-tsan
test-threads: deps
	@[ -f $(THREADS_BUILD)/CMakeCache.txt ] || cmake -S . -B $(THREADS_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS="-fsanitize=thread -Wno-maybe-uninitialized" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DPLOTARA_BUILD_TESTS=ON -DPLOTARA_BUILD_BENCH=OFF \
	  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DPLOTARA_WERROR=ON
	cmake --build $(THREADS_BUILD) -j $(JOBS) --target tests_threads
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tools/tsan.supp" \
	  $(THREADS_BUILD)/tests/tests_threads

# The C++ API reference of the public headers, in $(BUILD)/docs/html; any warning fails it.
docs:
	@tools/install-deps doxygen
	@mkdir -p $(BUILD)/docs
	( cat docs/Doxyfile; echo "OUTPUT_DIRECTORY = $(BUILD)/docs" ) | doxygen -
	@echo "The API reference is $(BUILD)/docs/html/index.html"

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# Configures with tests and benchmarks, also over a build folder that `make demo` configured without.
build: deps
	@grep -qs 'PLOTARA_BUILD_TESTS:BOOL=ON' $(BUILD)/CMakeCache.txt && \
	 grep -qs 'PLOTARA_BUILD_BENCH:BOOL=ON' $(BUILD)/CMakeCache.txt && \
	 grep -qs 'PLOTARA_WERROR:BOOL=ON' $(BUILD)/CMakeCache.txt || \
	 cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DPLOTARA_BUILD_TESTS=ON -DPLOTARA_BUILD_BENCH=ON \
	   -DPLOTARA_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

deps:
	@tools/install-deps $(PACKAGES)

deps-runtime:
	@tools/install-deps $(RUNTIME)

deps-wheel:
	@tools/install-deps $(WHEEL)

clean:
	rm -rf $(BUILD) $(OUT) dist
