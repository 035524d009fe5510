#!/usr/bin/env bash
# Sets up, builds and runs every test; --sanitize does so in a sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh --tests
dir=$(tools/build.sh "$@" | tail -n 1)
source tools/sanitizer_env.sh
# The printing tests print on a cups-pdf queue as the default printer.
source tools/pdf_queue.sh
trap pdf_queue_down EXIT
pdf_queue_up
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
