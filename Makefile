# Convenience front end to CMake. `make demo` builds the program and converts the example
# board; `make test` builds and runs every test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
WINDOWS_BUILD ?= build-windows
JOBS ?= 2

.PHONY: all demo test sanitize install windows package clean error-pages

all:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DSILKORA_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)

demo: all
	@rm -f examples/*_ref.krv examples/*_refm.krv examples/*_mir.krv
	$(BUILD)/silkora examples/motor_driver.krv
	@echo "The converted board is examples/motor_driver_ref.krv"

test: all
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole test suite again under AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer.
sanitize:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSILKORA_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && SILKORA_SANITIZED=1 ctest --output-on-failure -j $(JOBS)

install: all
	cmake --install $(BUILD)

# silkora.exe for 64-bit Windows, cross-compiled with MinGW-w64: one statically linked program
# ($(WINDOWS_BUILD)/silkora.exe). The same sources, the same program.
windows:
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DSILKORA_TESTS=OFF
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target silkora

# The packages for users: a tar.gz of the Linux program and a zip of the Windows one, each with
# the README, the man page and the LICENSE (in $(BUILD) and $(WINDOWS_BUILD)).
package: all windows
	cd $(BUILD) && cpack -G TGZ
	cd $(WINDOWS_BUILD) && cpack -G ZIP

# docs/errors.md and the ERRORS section of docs/silkora.1, made again from the error catalogue
# (io/error_catalogue.h) after an entry changed.
error-pages: all
	cmake --build $(BUILD) --target silkora_error_pages
	$(BUILD)/silkora_error_pages --write docs

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WINDOWS_BUILD)
