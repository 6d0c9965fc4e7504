#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the demo and the tests need; does nothing when all are present.
set -euo pipefail
packages=(
    build-essential cmake pkg-config git
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev qttranslations5-l10n libxcb1-dev librsvg2-bin
    libboost-thread-dev libcurl4-openssl-dev libssl-dev libcpp-httplib-dev libarchive-dev libldap2-dev
    libsodium-dev minisign
    slapd ldap-utils openssl nginx curl xvfb xauth x11-utils xdotool xcompmgr imagemagick binutils
    fonts-noto-cjk desktop-file-utils appstream
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# slapd's own service is never used (the tests start their own instances), so no questions asked.
install=(apt-get install -y -q --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${install[@]}"
elif command -v sudo >/dev/null 2>&1; then
    echo "Installing with sudo: ${missing[*]}"
    sudo apt-get update -q
    sudo DEBIAN_FRONTEND=noninteractive "${install[@]}"
else
    echo "Missing Debian packages, and no sudo to install them. As root, run:" >&2
    echo "  apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
fi
