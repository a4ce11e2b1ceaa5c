# The two commands of the README. Both install what is missing, configure and
# build; `run` then registers the component and starts the editor, `test`
# builds the tests and benchmarks and runs every test (the sanitizer build of
# the component library included). A plain build makes only what is
# installed: the program, the component and the help.
# `install` builds and installs under PREFIX (DESTDIR honoured); `package`
# builds the Debian package velmora_<version>_<arch>.deb into this folder.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
PREFIX     ?= /usr/local

.PHONY: run test deps build build-asan register install package clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_VATRO_ONLY=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

register: build
	$(BUILD)/vatro/vatroreg $(BUILD)/vatro/libVatroOCX.so

run: register
	$(BUILD)/app/Pagewisp $(FILE)

test: build build-asan
	cmake --build $(BUILD) -j $(JOBS) --target velmora_checks
	cd $(BUILD) && ctest --output-on-failure
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target velmora_checks
	cd $(ASAN_BUILD) && ctest --output-on-failure

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: build
	rm -f $(BUILD)/package/velmora_*.deb
	cd $(BUILD) && cpack -G DEB
	cp $(BUILD)/package/velmora_*.deb .

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) velmora_*.deb
