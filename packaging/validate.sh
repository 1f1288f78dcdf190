#!/usr/bin/env bash
# Runs a validator and fails on anything it finds, warnings included.
# Usage: validate.sh <validator> [arguments...]; exit code 77 when the validator is missing.
set -uo pipefail
if ! command -v "$1" >/dev/null; then
    echo "SKIP: $1 is not installed (scripts/install-deps.sh --test installs it)"
    exit 77
fi
case "$1" in
    appstreamcli)
        # --strict makes every finding above a pedantic hint fail.
        exec "$@"
        ;;
    man)
        # The formatted page goes to standard output; groff's warnings come on standard error.
        findings=$("$@" 2>&1 >/dev/null)
        status=$?
        ;;
    *)
        # desktop-file-validate prints warnings and still ends with 0.
        findings=$("$@" 2>&1)
        status=$?
        ;;
esac
[[ -n $findings ]] && echo "$findings"
[[ $status -eq 0 && -z $findings ]]
