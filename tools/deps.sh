#!/usr/bin/env bash
# Installs the Debian packages a fresh machine lacks for building Kalimbo
# and running its tests. Does nothing when they are all present.
set -euo pipefail
pkgs=(cmake g++ make pkg-config ccache qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-translations-l10n
      qt6-multimedia-dev libcups2-dev libespeak-ng-dev espeak-ng-data
      libhyphen-dev hyphen-de trans-de-en libhunspell-dev hunspell-de-de fonts-dejavu-core fonts-liberation2
      fonts-sil-andika
      cups printer-driver-cups-pdf poppler-utils clang libclang-rt-14-dev
      gstreamer1.0-plugins-base gstreamer1.0-plugins-good
      xdg-user-dirs xdg-utils desktop-file-utils appstream lintian dpkg-dev fakeroot file librsvg2-bin
      xvfb xauth openbox xdotool xclip x11-utils imagemagick pulseaudio pulseaudio-utils sox
      dbus python3-gi gir1.2-atspi-2.0 at-spi2-core)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
