#!/usr/bin/env bash
# Installs the build into a scratch prefix and packages it, then checks that every file a
# desktop program needs is there and that each validator accepts it.
# Arguments: the build folder, the source folder.
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
expected=(
    bin/quorvane
    bin/quorvane-cli
    share/applications/org.quorvane.Quorvane.desktop
    share/metainfo/org.quorvane.Quorvane.metainfo.xml
    share/icons/hicolor/scalable/apps/org.quorvane.Quorvane.svg
    share/icons/hicolor/48x48/apps/org.quorvane.Quorvane.png
    share/icons/hicolor/128x128/apps/org.quorvane.Quorvane.png
    share/icons/hicolor/256x256/apps/org.quorvane.Quorvane.png
    share/man/man1/quorvane-cli.1
    share/bash-completion/completions/quorvane-cli
    share/doc/quorvane/copyright
)
for file in "${expected[@]}"; do
    [[ -f $prefix/$file ]] || fail "cmake --install did not put $file in place"
done

desktop-file-validate "$prefix/share/applications/org.quorvane.Quorvane.desktop" || fail "desktop entry"
grep -q '<project_license>MIT</project_license>' "$prefix/share/metainfo/org.quorvane.Quorvane.metainfo.xml" ||
    fail "the metainfo names no licence"
grep -q '^License: Expat$' "$prefix/share/doc/quorvane/copyright" || fail "the copyright file names no licence"
appstreamcli validate --no-net "$prefix/share/metainfo/org.quorvane.Quorvane.metainfo.xml" >/dev/null ||
    fail "metainfo"
bash -n "$prefix/share/bash-completion/completions/quorvane-cli" || fail "completion"
if command -v man >/dev/null; then
    warnings=$(man --warnings -l "$prefix/share/man/man1/quorvane-cli.1" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "manual page: $warnings"
fi

# The manual and the completion name every command the tool knows.
version=$(awk '/^project\(/ { for (i = 1; i <= NF; i++) if ($i == "VERSION") print $(i + 1) }' "$source/CMakeLists.txt")
[[ $("$prefix/bin/quorvane-cli" --version) == "quorvane-cli $version" ]] || fail "quorvane-cli --version"
[[ $("$prefix/bin/quorvane" --version) == "quorvane $version" ]] || fail "quorvane --version"
while read -r command; do
    grep -q -- "$command" "$prefix/share/man/man1/quorvane-cli.1" || fail "the manual lacks \"$command\""
    grep -q -- "${command%% *}" "$prefix/share/bash-completion/completions/quorvane-cli" ||
        fail "the completion lacks \"$command\""
done < <("$prefix/bin/quorvane-cli" --help | sed -n 's/^  \([a-z][a-z -]*[a-z]\)\( [A-Z[].*\|  .*\|\)$/\1/p' | sed 's/ *$//')

# Each command's entries in the manual name every switch its line in --help names.
entries=$(sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' -e 's/"//g' "$prefix/share/man/man1/quorvane-cli.1" | awk '
    /^\.TP/ { if (header != "") print header "\t" body; header = ""; body = ""; want = 1; next }
    /^\.SH/ { if (header != "") print header "\t" body; header = ""; body = ""; want = 0; next }
    want == 1 { sub(/^\.[A-Z]+ /, ""); header = $0; body = $0; want = 2; next }
    want == 2 { body = body " " $0 }
    END { if (header != "") print header "\t" body }')
while IFS= read -r line; do
    command=$(awk '{ out = ""; for (i = 1; i <= NF && $i ~ /^[a-z][a-z-]*$/; i++) out = out (out ? " " : "") $i; print out }' <<<"$line")
    usage=${line#  "$command"}
    usage=${usage%%  *}
    for switch in $(grep -o -- '--[a-z][a-z-]*' <<<"$usage" | sort -u); do
        grep -F -- "$command" <<<"$entries" | awk -F '\t' -v c="$command" 'index($1, c) == 1 && (length($1) == length(c) || substr($1, length(c) + 1, 1) == " ")' |
            grep -q -- "$switch" || fail "the manual's $command lacks $switch"
    done
done < <("$prefix/bin/quorvane-cli" --help | grep '^  [a-z]')

# The package holds the same files, and what it installs validates.
(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null) || fail "cpack"
deb=$(ls "$scratch"/package/quorvane_*.deb)
listing=$(dpkg-deb -c "$deb")
for file in "${expected[@]}"; do
    grep -q "\./usr/$file\$" <<<"$listing" || fail "the package lacks /usr/$file"
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q "libqt6widgets6" <<<"$depends" || fail "the package's dependencies miss Qt: $depends"
dpkg-deb -x "$deb" "$scratch/unpacked"
desktop-file-validate "$scratch/unpacked/usr/share/applications/org.quorvane.Quorvane.desktop" || fail "packaged desktop entry"
appstreamcli validate --no-net "$scratch/unpacked/usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml" >/dev/null ||
    fail "packaged metainfo"
echo "installed files, package and validators: all well"
