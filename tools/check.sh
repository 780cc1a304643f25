#!/usr/bin/env bash
# Builds Kalimbo and runs every test: the one command that README and CI share.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKALIMBO_WERROR="${KALIMBO_WERROR:-OFF}"
cmake --build build -j2
ctest --test-dir build -j2 --output-on-failure
