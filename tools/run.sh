#!/usr/bin/env bash
# Installs what building and running need, builds and starts a program:
# Pramilo, or Sudeval when named.
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-Pramilo}"
case "$program" in Pramilo|Sudeval) ;; *) echo "usage: $0 [Pramilo|Sudeval]" >&2; exit 2 ;; esac
tools/setup.sh
tools/build.sh >/dev/null
exec "build/src/$program"
