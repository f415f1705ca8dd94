# make run   installs what is missing, builds and starts the editor
# make test  installs what is missing, builds and runs every test
# make test-asan  the same with AddressSanitizer, UBSan and LeakSanitizer (clang)
# make bench runs the benchmarks, prints the table of targets, writes build/bench.json
# make fuzz  builds the libFuzzer targets and runs each for FUZZ_SECONDS
# make soak  runs the long soaks; make soak-model SECONDS=N runs new seeds of
#            the editing model test for N seconds
# make package  builds the Debian package into BUILD (apt install ./BUILD/vexel-image_*.deb)
# make guide builds the operator's guide (pictures and HTML, in English and in
#            Georgian) into BUILD/guide
# make translations  brings translations/vexel_ka.ts up to date with the windows' texts
# make soak-window SECONDS=N  drives the real editor window at random for N seconds under Xvfb
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-serialport-dev \
            libgtest-dev libgmock-dev googletest libbenchmark-dev libsimpleini-dev libicu-dev \
            xvfb xauth fonts-dejavu-core
# Lettering: Debian's bitmap fonts, read with FreeType.
PACKAGES += xfonts-base xfonts-unifont libfreetype-dev
# giflib writes the simulator's animated GIFs.
PACKAGES += libgif-dev
# libzip reads transit feeds in place.
PACKAGES += libzip-dev
# Destination sets are SQLite files read through Qt SQL.
PACKAGES += libqt6sql6-sqlite
# Sets and the journal may live on a PostgreSQL server, through Qt SQL's
# driver; the server tests start a throw-away cluster of their own.
PACKAGES += libqt6sql6-psql postgresql-15
# libpq itself: a wait on a server that went silent is cut through its socket.
PACKAGES += libpq-dev
# The visit list's PDF is read back as text by the tests.
PACKAGES += poppler-utils
# make guide turns the guide's Markdown (with its tables) into HTML.
PACKAGES += cmark-gfm
# lupdate and lrelease: the Georgian interface is compiled at build time.
PACKAGES += qt6-l10n-tools
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
CLANG_PACKAGES := clang libclang-rt-dev
ASAN_BUILD ?= build-asan
# CI adds -DVEXEL_FUZZ=ON here and then fuzzes in the same folder, so the
# instrumented code is compiled once for both.
ASAN_CMAKE_FLAGS ?=
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1 \
                 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-postgres.supp

.PHONY: all deps clang-deps configure build run test bench fuzz test-asan clean translations

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

clang-deps:
	@missing=$$(for p in $(CLANG_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
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

BENCH_REPETITIONS ?= 5
BENCH_CLUSTER = /tmp/vexel-pg-bench-$(shell id -u)
bench: build
	tests/support/pg-cluster.sh start $(BENCH_CLUSTER)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen VEXEL_BENCH_PGHOST=$(BENCH_CLUSTER) ./vexel-bench \
	  --benchmark_repetitions=$(BENCH_REPETITIONS) --benchmark_report_aggregates_only=true \
	  --benchmark_out=bench.json --benchmark_out_format=json; \
	  status=$$?; $(CURDIR)/tests/support/pg-cluster.sh stop $(BENCH_CLUSTER); exit $$status

test-asan: deps clang-deps
	CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -DVEXEL_SANITIZE=ON -DVEXEL_BENCH=OFF $(ASAN_CMAKE_FLAGS) $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 900

fuzz: deps clang-deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DVEXEL_FUZZ=ON -DVEXEL_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) --target fuzzers -j$(JOBS)
	tests/fuzz/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)

SECONDS ?= 60
.PHONY: soak soak-model
soak: soak-model soak-window

soak-model: build
	cd $(BUILD) && VEXEL_SOAK_SECONDS=$(SECONDS) QT_QPA_PLATFORM=offscreen ./test_session --gtest_filter='ModelSoak.*'

# The package: dpkg-shlibdeps (dpkg-dev) and file find its library
# dependencies; the install tests validate the menu entry and metainfo.
PACKAGES += dpkg-dev file desktop-file-utils appstream
# The manual pages of the tools are made with help2man; the install tests
# render every page with man and check the package with lintian.
PACKAGES += help2man man-db lintian
.PHONY: package guide
# The package carries the guide's HTML and pictures.
package: build guide
	cd $(BUILD) && cpack -G DEB

# The operator's guide in BUILD/guide: the walkthrough's pictures, taken
# offscreen from the real program, and each page of docs/ as HTML.
guide: configure
	cmake --build $(BUILD) -j$(JOBS) --target guide

# The real window under random use for SECONDS under Xvfb, sending to the
# virtual board; its log is BUILD/soak-window.log and its scratch home
# BUILD/soak-home. SOAK_SEED replays a run.
SECONDS ?= 60
SOAK_SEED ?=
.PHONY: soak-window
soak-window: configure
	cmake --build $(BUILD) -j$(JOBS) --target vexel-soak vexel-board
	@echo "soak-window: $(SECONDS) s under Xvfb; every action goes to $(BUILD)/soak-window.log"
	@QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1200x24" $(BUILD)/vexel-soak --seconds $(SECONDS) \
	  --home $(BUILD)/soak-home $(if $(SOAK_SEED),--seed $(SOAK_SEED)) > $(BUILD)/soak-window.log 2>&1; \
	  rc=$$?; grep -v "^#\|^  " $(BUILD)/soak-window.log | tail -n 24; \
	  [ $$rc -eq 0 ] || { echo "soak-window: exit $$rc; the last actions:"; tail -n 30 $(BUILD)/soak-window.log; }; exit $$rc

translations:
	translations/update.sh
