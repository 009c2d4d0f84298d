# The two set-up commands: `make run` and `make test`.
JOBS := $(shell nproc)
ARGS ?=

.PHONY: deps test run build-debug build-release clean

deps:
	@scripts/install-deps

build-debug: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZN_SANITIZE=ON >/dev/null
	@cmake --build build -j $(JOBS)

build-release: deps
	@cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-release -j $(JOBS) --target zelvanexal

test: build-debug
	@cd build && ctest --output-on-failure -j $(JOBS)

run: build-release
	@./build-release/zelvanexal $(ARGS)

clean:
	rm -rf build build-release
