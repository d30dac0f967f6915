# Entry points for people. `make demo` and `make test` work on a fresh machine.
.PHONY: demo test bootstrap build bench fuzz format validate install-lv2

demo: bootstrap
	cmake --preset native >/dev/null
	cmake --build --preset native
	scripts/demo.sh

test: bootstrap
	scripts/test.sh

bootstrap:
	scripts/bootstrap.sh

build: bootstrap
	for p in native native-asan native-tsan windows fuzz; do \
	  cmake --preset $$p >/dev/null && cmake --build --preset $$p || exit 1; done

bench: bootstrap
	cmake --preset native >/dev/null
	cmake --build --preset native
	for b in build/native/bench/*; do [ -x "$$b" ] && "$$b" || exit 1; done

fuzz: bootstrap
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz --target brasmire_fuzzers
	@echo "fuzzers are in build/fuzz/fuzzers; run one with a corpus folder, e.g."
	@echo "  build/fuzz/fuzzers/utf8_truncation_fuzzer -max_total_time=600 fuzz/core/corpus/utf8_truncation"

validate: bootstrap
	scripts/validate.sh

# The LV2 bundle into the user's plug-in folder, where LV2 hosts look.
install-lv2: bootstrap
	cmake --preset native >/dev/null
	cmake --build --preset native --target brasmire_lv2_bundle
	mkdir -p $(HOME)/.lv2
	rm -rf $(HOME)/.lv2/Brasmire.lv2
	cp -r build/native/Brasmire.lv2 $(HOME)/.lv2/

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
