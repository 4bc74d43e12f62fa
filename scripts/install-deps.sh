#!/usr/bin/env bash
# Installs the Debian packages the program, its build and its tests need. Needs root (or sudo) only
# when something is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-5compat-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev
    postgresql-15 postgresql-client-15
    fonts-noto-cjk xdg-utils
    libbenchmark-dev python3 python3-xlrd poppler-utils
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "安装缺少的软件包：${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "需要 root 权限安装：${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
