#!/usr/bin/env bash
# The translation file is current (every text of the window and the tool is in it, none that
# left the code), every text in it is translated, and no text in texts, ui, app or cli reaches the
# user without tr(), and the core below them words nothing at all. Arguments: the source folder and Qt's lupdate.
set -euo pipefail
root=$1
export LUPDATE=$2
committed=$root/translations/quorvane_de.ts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

cp "$committed" "$work/current.ts"
"$root/scripts/update-translations" "$work/current.ts"
if ! diff -u "$committed" "$work/current.ts" >"$work/diff"; then
    echo "translations/quorvane_de.ts is not current; run scripts/update-translations and translate:" >&2
    cat "$work/diff" >&2
    status=1
fi
if grep -n -E 'type="(unfinished|obsolete|vanished)"' "$committed" >&2; then
    echo "translations/quorvane_de.ts holds unfinished or obsolete entries (above)." >&2
    status=1
fi

# A literal of two words or more outside tr() is a sentence that skips the translation;
# comments, log lines, the marked names for translation and the later lines of a literal
# that tr() began are not read by the user as such, nor is a line marked "untranslated:".
# In the tool, the usage forms in capitals and the examples and completion script (which
# name quorvane-cli) are no sentences either.
exempt='^[^:]+:[0-9]+:\s*(//|")|tr\(|translate\(|QT_TRANSLATE_NOOP|Log::line|// untranslated:'
{
    grep -n -P '"[^"]*[A-Za-z]{2,} [A-Za-z]{2,}[^"]*"' "$root"/src/texts/*.cpp "$root"/src/ui/*.cpp \
        "$root"/src/app/*.cpp || true
    grep -n -P '"[^"]*[a-z]{2,} [a-z]{2,}[^"]*"' "$root"/src/cli/*.cpp | grep -v -E 'quorvane-cli|    local ' || true
    # A word beside a placeholder ("Hub: %1 (%2 items)") is a sentence too, but for the plan's
    # words, which programs read, and style sheets and object names.
    grep -n -P 'u"[^"]*(%[0-9][^"]*[A-Za-z]{3,}|[A-Za-z]{3,}[^"]*%[0-9])[^"]*"_s' "$root"/src/texts/*.cpp \
        "$root"/src/ui/*.cpp "$root"/src/app/*.cpp "$root"/src/cli/*.cpp |
        grep -v -E 'u"(fetch|add-app|keep|copy|create|conflict) %|setStyleSheet|setObjectName|\{ color|background:' ||
        true
} | grep -v -E "$exempt" >"$work/bypass" || true
if [[ -s "$work/bypass" ]]; then
    echo "Texts that bypass tr():" >&2
    cat "$work/bypass" >&2
    status=1
fi
# The core returns kinds with their data; the window and the tool word them.
if grep -rn -E '\btr\(|QCoreApplication::translate|Q_DECLARE_TR_FUNCTIONS' "$root"/src/{base,model,access,linker,store,backup,actions,audit} >"$work/core"; then
    echo "The core words texts for the user; return a kind instead:" >&2
    cat "$work/core" >&2
    status=1
fi
exit $status
