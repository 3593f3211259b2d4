#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window need, but only
# those that are missing, so a second run is quiet and takes a moment. Arguments name
# further packages a script needs beyond these (the benchmarks, the fuzzers).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6svg6 libgl-dev nlohmann-json3-dev libyaml-cpp-dev libyara-dev
    qt6-translations-l10n qt6-tools-dev qt6-l10n-tools locales
    xvfb xauth fonts-dejavu-core git
    desktop-file-utils appstream dpkg-dev file
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
# The tests read the window and the tool in German under de_DE.UTF-8, a locale Debian
# generates only when asked.
german=de_DE.UTF-8
needs_german=0
locale -a 2>/dev/null | grep -qix 'de_DE.utf8' || needs_german=1
[[ ${#missing[@]} -eq 0 && $needs_german -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        [[ ${#missing[@]} -eq 0 ]] || echo "These Debian packages are missing: ${missing[*]}" >&2
        [[ $needs_german -eq 0 ]] || echo "The locale $german is not generated." >&2
        echo "Setting this up needs root, and sudo is not installed here. Either run, as root:" >&2
        [[ ${#missing[@]} -eq 0 ]] || echo "    apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
        [[ $needs_german -eq 0 ]] || echo "    sed -i 's/^# *$german/$german/' /etc/locale.gen && locale-gen" >&2
        echo "or install sudo as root (apt-get install sudo; adduser $(id -un) sudo), log in again," >&2
        echo "and run this command once more." >&2
        exit 1
    fi
    sudo=(sudo)
fi
if [[ ${#missing[@]} -gt 0 ]]; then
    # apt's own output runs to hundreds of lines: it goes to a log, shown only when it fails.
    log=$(mktemp -t quorvane-apt.XXXXXX.log)
    echo "Installing ${#missing[@]} missing Debian packages (details in $log)..."
    export DEBIAN_FRONTEND=noninteractive
    if ! { "${sudo[@]}" apt-get update -q && "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "Installing the packages failed; the whole output is in $log." >&2
        exit 1
    fi
fi
if [[ $needs_german -eq 1 ]]; then
    echo "Generating the locale $german for the tests..."
    "${sudo[@]}" sed -i "s/^# *$german UTF-8/$german UTF-8/" /etc/locale.gen
    grep -q "^$german UTF-8" /etc/locale.gen || echo "$german UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen >/dev/null
fi
