# shellcheck shell=bash
# Sourced by tools/test.sh and tools/repeat.sh: the options every test runs
# with in the sanitizer build (and that the plain build ignores).
#
# intercept_tls_get_addr=0: this libasan guesses the bounds of a module's
# dynamic TLS block from the 16 bytes before it whenever the block's address
# ends in 0x010 within its page. libjpeg's block is a malloc'd 16-byte chunk,
# so about one run in a hundred the guess reads an allocator header, and the
# leak checker's tracer scans a range from near 0 and dies of SIGSEGV at exit.
# Every other run it cannot place the block at all and leaves it out, so
# turning the guess off changes no leak check, it only ends the crash.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
