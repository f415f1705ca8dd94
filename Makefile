# make run   installs what is missing, builds and starts the editor
# make test  installs what is missing, builds and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-serialport-dev \
            libgtest-dev libgmock-dev googletest libbenchmark-dev libsimpleini-dev libicu-dev \
            xvfb xauth fonts-dejavu-core
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test bench fuzz test-asan clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	tools/run-editor.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 600

clean:
	rm -rf $(BUILD)
