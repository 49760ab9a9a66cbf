#!/bin/sh
# Installs what the two builds need and is not there yet (Debian, as root).
set -e
packages="cmake make g++ g++-mingw-w64-x86-64 wine wine64 xvfb xauth locales
          googletest libgtest-dev libbenchmark-dev lua5.4 clang-format fonts-wine x11-apps imagemagick
          nsis clang libclang-rt-14-dev chromium"
missing=""
for p in $packages; do
    dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
# The editor extension's tools run on Node.js; a machine that has its own keeps it.
command -v node >/dev/null 2>&1 || missing="$missing nodejs"
command -v npm >/dev/null 2>&1 || missing="$missing npm"
if [ -n "$missing" ]; then
    if [ "$(id -u)" != 0 ]; then
        echo "Missing packages:$missing (run 'make test' as root, or install them)" >&2
        exit 1
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi
# Wine takes its ANSI code page from the locale: ru_RU.UTF-8 gives the Russian Windows that the
# tests run on (1251), en_US.UTF-8 a Western one (1252) that some of them run on as well.
for locale in ru_RU en_US; do
    locale -a 2>/dev/null | grep -qi "^$locale\.utf-\?8$" && continue
    if [ "$(id -u)" != 0 ]; then
        echo "The locale $locale.UTF-8 is missing (run 'make test' as root, or generate it)" >&2
        exit 1
    fi
    sed -i "s/^# *$locale.UTF-8 UTF-8/$locale.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^$locale.UTF-8 UTF-8" /etc/locale.gen || echo "$locale.UTF-8 UTF-8" >>/etc/locale.gen
    generate=1
done
if [ -n "$generate" ]; then
    locale-gen >/dev/null
fi
