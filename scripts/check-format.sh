#!/usr/bin/env bash
# Checks that every tracked C++ file (.cpp, .h) is formatted as the committed .clang-format
# says, with Debian 12's clang-format (version 14). Lists the files that differ and fails when
# there is any; `clang-format-14 -i FILE...` formats them.
# Usage: scripts/check-format.sh
# CLANG_FORMAT names another clang-format program; another version may format differently.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

clang_format=${CLANG_FORMAT:-clang-format-14}
if [[ -z ${CLANG_FORMAT:-} ]]; then
    "$root/scripts/install-deps.sh" --format
fi
# A configuration that clang-format cannot read would make every file look different.
"$clang_format" --dump-config >/dev/null

mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
if [[ ${#files[@]} -eq 0 ]]; then
    echo "check-format: no C++ files found" >&2
    exit 1
fi

# One clang-format per file, as many at once as there are processors; each prints the name of
# its file when the file differs.
differ=$(printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P "$(nproc)" sh -c '
    "$0" --dry-run --Werror "$1" >/dev/null 2>&1 || printf "%s\n" "$1"' "$clang_format" | sort)

if [[ -n $differ ]]; then
    count=$(printf '%s\n' "$differ" | wc -l)
    echo "check-format: $count of ${#files[@]} files differ from .clang-format:" >&2
    printf '%s\n' "$differ" | sed 's/^/  /' >&2
    echo "Format them with: $clang_format -i FILE..." >&2
    exit 1
fi
echo "check-format: all ${#files[@]} files formatted"
