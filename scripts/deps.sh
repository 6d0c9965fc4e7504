#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the demo and the tests need; does nothing when all are present.
set -euo pipefail
packages=(
    build-essential cmake pkg-config git
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev
    libboost-thread-dev libcurl4-openssl-dev libssl-dev libcpp-httplib-dev libarchive-dev libldap2-dev
    slapd ldap-utils openssl nginx curl xvfb xauth x11-utils imagemagick binutils fonts-noto-cjk
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# slapd's own service is never used; the tests start their own instances.
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo -E apt-get install -y -q --no-install-recommends "${missing[@]}"
