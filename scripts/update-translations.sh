#!/usr/bin/env bash
# The translations of translations/ and the texts of the code.
#   scripts/update-translations.sh           brings every .ts file up to date with the code
#                                            (lupdate): new texts come in unfinished, texts
#                                            the code no longer has go
#   scripts/update-translations.sh --check   fails when a .ts file is not what lupdate makes
#                                            of the code, or holds an unfinished translation
# The trace viewer (tools/kvo) is a developer's tool and stays English.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Qt 6's tools, also where Qt 5's are the ones on the PATH.
tool() {
    if [[ -x /usr/lib/qt6/bin/$1 ]]; then
        echo "/usr/lib/qt6/bin/$1"
    elif command -v "$1" >/dev/null; then
        command -v "$1"
    else
        echo "$1 is missing: scripts/install-deps.sh installs it (qt6-l10n-tools)" >&2
        exit 2
    fi
}
lupdate=$(tool lupdate)
lrelease=$(tool lrelease)
sources=(app dialogs platform res screen stats)

update() {
    # lupdate remarks on classes it cannot place; they are only shown when it fails.
    local out
    if ! out=$("$lupdate" -silent -locations none -no-obsolete -extensions cpp,h "${sources[@]}" \
        -ts "$@" 2>&1); then
        echo "$out" >&2
        exit 2
    fi
}

shopt -s nullglob
ts_files=(translations/*.ts)
if [[ ${1:-} != --check ]]; then
    update "${ts_files[@]}"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "${ts_files[@]}"; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    update "$copy"
    if ! diff -u "$ts" "$copy"; then
        echo "FAIL: $ts is not up to date with the code: run scripts/update-translations.sh" \
            "and translate what it adds"
        status=1
    fi
    report=$("$lrelease" "$ts" -qm "$work/out.qm")
    echo "$ts: $report"
    if ! grep -q " 0 unfinished" <<<"$report" || grep -q "untranslated" <<<"$report"; then
        echo "FAIL: $ts has unfinished or untranslated texts"
        status=1
    fi
done
exit $status
