# The two set-up commands: `make run` and `make test`.
JOBS := $(shell nproc)
ARGS ?=

.PHONY: deps test run build-debug build-release clean

deps:
	@scripts/install-deps 1>&2

# Builds show one line of progress; a failed one shows the compiler's messages in full. Both builds use
# Clang, which with its precompiled headers and lld builds this in about half the time GCC takes.
build-debug: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZN_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@scripts/quiet-build build $(JOBS)

build-release: deps
	@cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@scripts/quiet-build build-release $(JOBS) zelvanexal

test: build-debug
	@cd build && ctest --output-on-failure -j $(JOBS) --output-junit "$(CURDIR)/build/ctest-results.xml"; \
		status=$$?; ../scripts/skipped-tests "$(CURDIR)/build/ctest-results.xml"; exit $$status

run: build-release
	@./build-release/zelvanexal $(ARGS)

clean:
	rm -rf build build-release
