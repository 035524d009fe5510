#!/usr/bin/env bash
# Times printing the report on a cups-pdf queue as the default printer:
# bench/print.sh [PRINTS]; PRINTER=PDF_Letter or PDF_A5 prints on other paper.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh --tests
tools/build.sh >/dev/null
source tools/pdf_queue.sh
trap pdf_queue_down EXIT
pdf_queue_up
QT_QPA_PLATFORM=offscreen build/bench/print_bench "$TAFELS_PDF_DIR" "${1:-20}"
