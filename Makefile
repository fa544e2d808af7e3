# The two commands of the README: `make demo` and `make test`.
# Both install what is missing, build incrementally and run.

BUILD    ?= build
OUT      ?= out
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
# What the library and the command need; the tests and benchmarks need the rest.
RUNTIME  := g++ make cmake pkg-config libcairo2-dev libfontconfig-dev libfreetype-dev fonts-liberation2
PACKAGES := $(RUNTIME) python3 python3-numpy libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev \
            qt6-base-dev xvfb poppler-utils librsvg2-bin libqcustomplot-dev libqcustomplot2.1-qt6

PLOTARA  := $(BUILD)/hosts/cli/plotara

.PHONY: demo test build deps deps-runtime bench clean

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

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# Configures with tests and benchmarks, also over a build folder that `make demo` configured without.
build: deps
	@grep -qs 'PLOTARA_BUILD_TESTS:BOOL=ON' $(BUILD)/CMakeCache.txt && \
	 grep -qs 'PLOTARA_BUILD_BENCH:BOOL=ON' $(BUILD)/CMakeCache.txt || \
	 cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DPLOTARA_BUILD_TESTS=ON -DPLOTARA_BUILD_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)

deps:
	@tools/install-deps $(PACKAGES)

deps-runtime:
	@tools/install-deps $(RUNTIME)

clean:
	rm -rf $(BUILD) $(OUT)
