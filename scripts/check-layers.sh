#!/usr/bin/env bash
# Checks that every C++ file of the tree (added to git or not yet) includes only what its folder's row of the layer table in
# ARCHITECTURE.md allows: the project's own headers ("folder/File.h") and Qt's (<QName>,
# <QtModule/QName> and <QtModule>, judged by the Qt module that holds the header). Lists each include that breaks its row and fails
# when there is any.
# Usage: scripts/check-layers.sh
# QT_INCLUDE_DIR names Qt's header folder (the one holding QtCore/, QtGui/, QtWidgets/);
# by default qtpaths6 is asked.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

qt_dir=${QT_INCLUDE_DIR:-$(qtpaths6 --query QT_INSTALL_HEADERS 2>/dev/null || true)}
if [[ -z $qt_dir || ! -d $qt_dir/QtCore ]]; then
    echo "check-layers: Qt's headers not found; set QT_INCLUDE_DIR" >&2
    exit 2
fi

# Each rule: folder | project paths it may include (prefixes) | Qt modules it may include
# (a module name, or a header in angle brackets). The first matching folder wins. Headers of
# the folder's own files, included by their bare name, are always allowed. res/Resource.h
# holds numbers only; the trace and its viewer share the viewer's command number from it.
rules=(
    "platform/core/|platform/core/|QtCore"
    "platform/remote/|platform/core/ platform/remote/|QtCore"
    "platform/journal/|platform/core/ platform/journal/|QtCore QtSql"
    "platform/graphics/|platform/core/ platform/graphics/|QtCore QtGui"
    "platform/services/|platform/core/ platform/services/|QtCore QtGui QtWidgets"
    "platform/framework/|platform/core/ platform/graphics/ platform/services/ platform/framework/|QtCore QtGui QtWidgets"
    "platform/dialogs/|platform/core/ platform/graphics/ platform/services/ platform/framework/ platform/dialogs/|QtCore QtGui QtWidgets"
    "platform/desktop/|platform/core/ platform/graphics/ platform/services/ platform/framework/ platform/journal/ platform/desktop/|QtCore QtGui QtWidgets"
    "game/|game/ trace/ platform/core/ platform/remote/|<QString> <QStringList> <QStringView>"
    "trace/|trace/ res/Resource.h platform/core/ platform/remote/|<QString> <QStringList> <QStringView>"
    "res/|res/ platform/core/Resources.h platform/core/Messages.h platform/services/Strings.h platform/framework/CommandBar.h|<QString> <QStringList>"
    "app/|app/ dialogs/ screen/ stats/ game/ trace/ res/ platform/|<QString> <QStringList>"
    "dialogs/|app/ dialogs/ screen/ stats/ game/ trace/ res/ platform/|<QString> <QStringList>"
    "screen/|app/ dialogs/ screen/ stats/ game/ trace/ res/ platform/|<QString> <QStringList>"
    "stats/|app/ dialogs/ screen/ stats/ game/ trace/ res/ platform/|<QString> <QStringList>"
    "tools/kvo/|tools/kvo/ res/Resource.h platform/core/ platform/remote/|QtCore QtGui QtWidgets"
    "tools/levelsim/|tools/levelsim/ game/ trace/ platform/core/|QtCore"
)

# Sets module to the Qt module that holds a header, or to nothing when it is not Qt's; each
# header is looked up once.
declare -A module_of=()
find_module() {
    local header=$1 candidate
    if [[ -z ${module_of[$header]+set} ]]; then
        module_of[$header]=
        for candidate in QtCore QtGui QtWidgets QtTest QtNetwork QtDBus QtSql; do
            if [[ -e $qt_dir/$candidate/$header ]]; then
                module_of[$header]=$candidate
                break
            fi
        done
    fi
    module=${module_of[$header]}
}

# Sets rule to the row of a file's folder; empty when no row names it.
find_rule() {
    local candidate
    rule=
    for candidate in "${rules[@]}"; do
        if [[ $1 == "${candidate%%|*}"* ]]; then
            rule=$candidate
            return
        fi
    done
}

failures=0
# Every C++ file of the tree that git does not ignore, whether added yet or not; one grep
# reads all their includes.
mapfile -d '' files < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h')
checked=()
declare -A rule_of=()
for file in "${files[@]}"; do
    find_rule "$file"
    if [[ -f $file && -n $rule ]]; then
        checked+=("$file")
        rule_of[$file]=$rule
    fi
done
while IFS= read -r line; do
    file=${line%%:*}
    rest=${line#*:}
    number=${rest%%:*}
    text=${rest#*:}
    IFS='|' read -r _ paths qt <<<"${rule_of[$file]}"

    if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
        included=${BASH_REMATCH[1]}
        # A header beside the file, by its bare name.
        [[ $included == */* ]] || continue
        allowed=false
        for path in $paths; do
            if [[ $included == "$path"* ]]; then
                allowed=true
                break
            fi
        done
    elif [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<((Qt[A-Za-z]*)/)?(Q[A-Za-z]*)\> ]]; then
        # <QName>, <QtModule/QName> or a whole module, <QtModule>.
        if [[ -n ${BASH_REMATCH[2]} ]]; then
            module=${BASH_REMATCH[2]}
        elif [[ -d $qt_dir/${BASH_REMATCH[3]} ]]; then
            module=${BASH_REMATCH[3]}
        else
            find_module "${BASH_REMATCH[3]}"
        fi
        included="<${BASH_REMATCH[3]}>"
        [[ -n $module ]] || continue
        allowed=false
        for entry in $qt; do
            if [[ $entry == "$module" || $entry == "$included" ]]; then
                allowed=true
                break
            fi
        done
        included="<${BASH_REMATCH[1]}${BASH_REMATCH[3]}>"
    else
        continue
    fi
    if [[ $allowed == false ]]; then
        echo "$file:$number: includes $included, which its folder's row forbids"
        failures=$((failures + 1))
    fi
done < <(((${#checked[@]})) && grep -n -H '^[[:space:]]*#[[:space:]]*include' -- "${checked[@]}" || true)

if [[ $failures -gt 0 ]]; then
    echo "check-layers: $failures include(s) break the layer table in ARCHITECTURE.md" >&2
    exit 1
fi
echo "check-layers: every include keeps its folder's row"
