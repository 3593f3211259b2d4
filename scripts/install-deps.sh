#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window need, but only
# those that are missing, so a second run is quiet and takes a moment. Arguments name
# further packages a script needs beyond these (the benchmarks, the fuzzers).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6svg6 libgl-dev nlohmann-json3-dev libyaml-cpp-dev
    qt6-translations-l10n
    xvfb xauth fonts-dejavu-core
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
