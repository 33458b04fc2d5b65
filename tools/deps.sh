#!/usr/bin/env bash
# Installs the Debian packages VEXA builds with, when some are missing.
# Sourced by ./test and ./run; as root it installs, otherwise it prints the line to run.
VEXA_PACKAGES=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
               qt6-base-dev libcli11-dev nlohmann-json3-dev libserialport-dev clang-format
               # the Debian package and its checks
               dpkg-dev file lintian desktop-file-utils appstream bash-completion
               # the desktop program's smoke test on a real X server
               xvfb xauth xdotool
               # what a screen reader hears (AT-SPI) from the desktop program, and a whole job
               # by keyboard under a window manager, in English and German (Qt's own texts)
               at-spi2-core python3-pyatspi dbus-daemon openbox qt6-translations-l10n
               # the RFC 2217 server the network port tests talk to
               ser2net
               # the stacks a desktop test prints when it has waited too long
               gdb)
# The fuzz targets (tools/fuzz.sh): clang 14 and its libFuzzer runtime.
VEXA_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

vexa_missing_packages() {
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  echo "${missing[@]}"
}

vexa_install_packages() {
  local missing
  missing=$(vexa_missing_packages "$@")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: $missing" >&2
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
  else
    echo "Missing packages. Run:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y $missing" >&2
    return 1
  fi
}

vexa_install_deps() { vexa_install_packages "${VEXA_PACKAGES[@]}"; }
vexa_install_fuzz_deps() { vexa_install_packages "${VEXA_PACKAGES[@]}" "${VEXA_FUZZ_PACKAGES[@]}"; }
