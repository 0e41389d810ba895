#!/usr/bin/env bash
# Installs the Debian packages Bulwark needs to build, test and run; with
# --fuzz also clang and its libFuzzer runtime, which only `make fuzz` needs;
# with --package the validators of the desktop entry, the metadata and the
# manual page that `make package-check` runs.
# Non-interactive and idempotent: does nothing when everything is present.
# As root it runs apt-get itself; otherwise it prints the command to run.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libsdl2-image-dev
  libenet-dev
  fonts-liberation2 fonts-dejavu-core
  timgm6mb-soundfont
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev
)
for arg in "$@"; do
  case "$arg" in
    --fuzz) packages+=(clang libclang-rt-dev) ;;
    --package) packages+=(dpkg-dev desktop-file-utils appstream-util man-db) ;;
    *) echo "usage: $0 [--fuzz] [--package]" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

cmd="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    sudo -n env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    sudo -n env DEBIAN_FRONTEND=noninteractive $cmd
    exit 0
  fi
  echo "Bulwark needs these Debian packages: ${missing[*]}" >&2
  echo "Install them with:  sudo apt-get update && sudo $cmd" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
