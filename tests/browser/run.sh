#!/usr/bin/env bash
# Runs the web test in headless Chromium and Firefox ESR (Debian's
# /usr/bin/chromium and /usr/bin/firefox-esr) against a build.
# usage: tests/browser/run.sh BUILD/bin     (the folder holding dorvel-cli)
# DORVEL_BROWSERS=chromium (or firefox) runs one browser only.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
bin="$(cd "${1:?usage: $0 BUILD_BIN_FOLDER}" && pwd)"
cd "$here"

# puppeteer-core never downloads a browser; this keeps any helper from trying.
export PUPPETEER_SKIP_DOWNLOAD=1
npm ci --no-audit --no-fund --loglevel=error

# Two test files at a time (DORVEL_BROWSER_JOBS): each runs every flow over
# HTTP and from the file system, and a file keeps one browser busy at a time.
jobs="${DORVEL_BROWSER_JOBS:-2}"
concurrency=()
if node --test-concurrency=1 -e '' >/dev/null 2>&1; then
    concurrency=(--test-concurrency="$jobs")
fi
DORVEL_BIN="$bin" exec node --test "${concurrency[@]}" tests/*.test.js
