# Convenience front end to CMake. `make demo` builds the program and converts the example
# board; `make test` builds and runs every test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= 2

.PHONY: all demo test sanitize install clean

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

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
