#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window need, but only
# those that are missing, so a second run is quiet and takes a moment. Arguments name
# further packages a script needs beyond these (the benchmarks, the fuzzers).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6svg6 libgl-dev nlohmann-json3-dev libyaml-cpp-dev libyara-dev
    qt6-translations-l10n
    xvfb xauth fonts-dejavu-core
    desktop-file-utils appstream dpkg-dev file
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        echo "These Debian packages are missing: ${missing[*]}" >&2
        echo "Installing them needs root, and sudo is not installed here. Either run, as root:" >&2
        echo "    apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
        echo "or install sudo as root (apt-get install sudo; adduser $(id -un) sudo), log in again," >&2
        echo "and run this command once more." >&2
        exit 1
    fi
    sudo=(sudo)
fi
# apt's own output runs to hundreds of lines: it goes to a log, shown only when it fails.
log=$(mktemp -t quorvane-apt.XXXXXX.log)
echo "Installing ${#missing[@]} missing Debian packages (details in $log)..."
export DEBIAN_FRONTEND=noninteractive
if ! { "${sudo[@]}" apt-get update -q && "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "Installing the packages failed; the whole output is in $log." >&2
    exit 1
fi
