# Included before src/ when SNAPDECK_BUILD_FUZZERS is on: all of our code is compiled
# with libFuzzer's coverage hooks and with AddressSanitizer and UndefinedBehaviorSanitizer,
# so that a fault anywhere below a fuzz target is found, not only in the target itself.
# Any undefined behaviour stops the run like a crash does.
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer -g)
add_link_options(-fsanitize=address,undefined)
