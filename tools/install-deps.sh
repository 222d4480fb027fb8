#!/usr/bin/env bash
# Installs what the program needs to build, run and test, from Debian's packages only.
#   tools/install-deps.sh          what the program needs to build and run, and its tests
#   tools/install-deps.sh --test   and the word processors the interchange tests open its
#                                  rich text in (LibreOffice without its GUI, pandoc)
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev qt6-image-formats-plugins
  libhunspell-dev hunspell-en-us libmythes-dev mythes-en-us
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth poppler-utils fonts-dejavu-core fonts-liberation
)
if [ "${1:-}" = "--test" ]; then
  packages+=(libreoffice-writer-nogui pandoc)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
