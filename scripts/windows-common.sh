# Shared by scripts/windows-deps: what the Windows (mingw-w64) dependency
# cache holds, where it lives, and how it is filled. Sourced, not run.

# Host packages: the cross compilers, wine to run what they make, the build
# tools, Debian's own Qt 6 host tools (moc, rcc, uic of the same 6.4.2 that
# is cross-built), ICU's data tools (72.1, as cross-built), dpkg-source to
# unpack Debian sources, and Xvfb, ImageMagick and a CJK font for a look at
# the window.
QFW_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev wine64 cmake ninja-build make pkg-config perl python3 xz-utils
  qt6-base-dev qt6-base-dev-tools icu-devtools dpkg-dev ca-certificates
  xvfb xauth imagemagick fonts-wqy-microhei)

# The Debian source packages cross-built, with the upstream version each
# must have: Qt's host tools (qt6-base-dev-tools) and ICU's data tools
# (icu-devtools) come from the same Debian release and must match.
QFW_QT_VERSION=6.4.2
QFW_ICU_VERSION=72.1
QFW_GTEST_VERSION=1.12.1
QFW_UCHARDET_VERSION=0.0.7

# Bump when the way a dependency is built changes, so that the cache is
# rebuilt even though the version did not move.
QFW_QT_RECIPE=2
QFW_ICU_RECIPE=2
QFW_GTEST_RECIPE=1
QFW_UCHARDET_RECIPE=1

# Where the Debian sources are fetched from (deb-src), kept in a private apt
# configuration so that the machine's own is never changed.
QFW_DEBIAN_MIRROR=${QFW_DEBIAN_MIRROR:-http://deb.debian.org/debian}
QFW_DEBIAN_SUITE=${QFW_DEBIAN_SUITE:-bookworm}
QFW_DEBIAN_KEYRING=${QFW_DEBIAN_KEYRING:-/usr/share/keyrings/debian-archive-keyring.gpg}

QFW_TRIPLE=x86_64-w64-mingw32
QFW_WINE=/usr/lib/wine/wine64

qfw_default_cache() {
  if [ -n "${QF_WINDOWS_CACHE:-}" ]; then
    echo "$QF_WINDOWS_CACHE"
  elif [ "$(id -u)" = 0 ]; then
    echo /var/cache/quillformer-windows
  else
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/quillformer-windows"
  fi
}

qfw_log() { printf '[windows-deps %s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }
qfw_die() { qfw_log "error: $*"; exit 1; }

# Prints the packages of QFW_PACKAGES that are not installed.
qfw_missing_packages() {
  local package
  for package in "${QFW_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      echo "$package"
  done
}

# Installs the missing host packages (as root), or names them and stops.
qfw_ensure_packages() {
  command -v dpkg-query >/dev/null 2>&1 || qfw_die "this needs Debian 12 (dpkg, apt-get)"
  local missing
  missing=$(qfw_missing_packages | tr '\n' ' ')
  [ -z "${missing// /}" ] && return 0
  if [ "$(id -u)" = 0 ]; then
    qfw_log "installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q >/dev/null
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $missing >/dev/null
  else
    qfw_die "missing packages: $missing (sudo apt-get install $missing)"
  fi
}

# apt-get with a private configuration under $QFW_CACHE/apt: one deb-src
# entry, its own lists and package cache. /etc/apt is only read for the
# defaults; nothing there is changed.
# The first argument is the program: apt-get or apt-cache.
qfw_apt() {
  local root=$QFW_CACHE/apt program=$1
  shift
  "$program" \
    -o Dir::Etc::SourceList="$root/sources.list" \
    -o Dir::Etc::SourceParts="$root/sources.list.d" \
    -o Dir::State::Lists="$root/lists" \
    -o Dir::Cache="$root/cache" \
    -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache= \
    -o APT::Sandbox::User=root \
    "$@"
}

qfw_apt_setup() {
  local root=$QFW_CACHE/apt
  mkdir -p "$root/sources.list.d" "$root/lists/partial" "$root/cache/archives/partial"
  local entry="deb-src [signed-by=$QFW_DEBIAN_KEYRING] $QFW_DEBIAN_MIRROR $QFW_DEBIAN_SUITE main"
  if [ "$(cat "$root/sources.list" 2>/dev/null)" != "$entry" ] ||
    ! ls "$root"/lists/*_Sources* >/dev/null 2>&1; then
    echo "$entry" >"$root/sources.list"
    qfw_log "apt-get update (private deb-src list: $QFW_DEBIAN_SUITE)"
    qfw_apt apt-get update -q >"$QFW_CACHE/logs/apt-update.log" 2>&1 ||
      { cat "$QFW_CACHE/logs/apt-update.log" >&2; qfw_die "apt-get update for deb-src failed"; }
  fi
}

# qfw_fetch_source PACKAGE UPSTREAM_VERSION: unpacks Debian's source package
# (with Debian's patches applied) into $QFW_CACHE/src/PACKAGE-VERSION once
# and prints that folder. Fails when Debian's version is not the one wanted.
qfw_fetch_source() {
  local package=$1 upstream=$2 dir=$QFW_CACHE/src/$1-$2
  if [ -f "$dir/.qfw-unpacked" ]; then
    echo "$dir"
    return 0
  fi
  qfw_apt_setup
  local version="" candidate
  for candidate in $(qfw_apt apt-cache showsrc --only-source "$package" 2>/dev/null |
    sed -n 's/^Version: //p'); do
    if [ -z "$version" ] || dpkg --compare-versions "$candidate" gt "$version"; then
      version=$candidate
    fi
  done
  [ -n "$version" ] || qfw_die "no source package $package in $QFW_DEBIAN_SUITE"
  local plain=${version#*:}
  plain=${plain%-*}
  plain=${plain%+dfsg*}
  [ "$plain" = "$upstream" ] ||
    qfw_die "$package is $version in $QFW_DEBIAN_SUITE, expected upstream $upstream"
  qfw_log "fetching source $package $version"
  local work=$QFW_CACHE/src/.fetch-$package
  rm -rf "$work" "$dir"
  mkdir -p "$work"
  (cd "$work" && qfw_apt apt-get source -q "$package=$version") >"$QFW_CACHE/logs/fetch-$package.log" 2>&1 ||
    { cat "$QFW_CACHE/logs/fetch-$package.log" >&2; qfw_die "apt-get source $package failed"; }
  local tree
  tree=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  [ -d "$tree" ] || qfw_die "apt-get source $package left no source tree"
  mv "$tree" "$dir"
  echo "$version" >"$dir/.qfw-debian-version"
  rm -rf "$work"
  touch "$dir/.qfw-unpacked"
  echo "$dir"
}

# Stamps: one per dependency, named by version and recipe, written last.
qfw_stamp() { echo "$QFW_CACHE/stamps/$1.stamp"; }
qfw_is_built() { [ -f "$(qfw_stamp "$1")" ]; }
