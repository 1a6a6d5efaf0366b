#!/usr/bin/env bash
# Builds the library, the tool and the tests, and runs the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j "$(nproc)"
