# The two commands of the README: `make demo` and `make test`.
# Both install what is missing, build incrementally and run.

BUILD    ?= build
OUT      ?= out
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := g++ make cmake pkg-config libcairo2-dev libfontconfig-dev libfreetype-dev \
            fonts-liberation2 python3 libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev \
            libqcustomplot-dev libqcustomplot2.1-qt6 qt6-base-dev

PLOTARA  := $(BUILD)/hosts/cli/plotara

.PHONY: demo test build deps bench clean

demo: build
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

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

deps:
	@tools/install-deps $(PACKAGES)

clean:
	rm -rf $(BUILD) $(OUT)
