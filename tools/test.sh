#!/usr/bin/env bash
# Sets up, builds and runs every test; --sanitize does so in a sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
dir=$(tools/build.sh "$@" | tail -n 1)
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
# The printing tests print on a cups-pdf queue as the default printer.
source tools/pdf_queue.sh
trap pdf_queue_down EXIT
pdf_queue_up
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
