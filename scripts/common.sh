# Shared by ./run, ./test and ./package: installs what the build needs and builds.
# Sourced, not run.

# fonts-arphic-uming: the window's font (see ui/fonts.h). librsvg2-bin: the
# window's pictures and the menu icons (packaging/) are drawn from SVG to PNG
# at build time (rsvg-convert). patch: the tests apply --diff's output with
# GNU patch, as a user would. libuchardet-dev: the statistics of --encoding auto.
QF_PACKAGES=(cmake ninja-build g++ pkg-config libicu-dev libuchardet-dev libgtest-dev libgmock-dev
  libbenchmark-dev libcli11-dev nlohmann-json3-dev qt6-base-dev librsvg2-bin qt6-qpa-plugins fonts-wqy-microhei
  fonts-arphic-uming qt6-translations-l10n clang libclang-rt-14-dev patch)

# What ./package needs besides (dpkg-shlibdeps, and file, with which CPack
# finds the programs), and what packaging/check-package checks with.
QF_PACKAGING_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream shared-mime-info
  man-db bash-completion)

# Prints the packages of QF_PACKAGES and of the arguments that are not
# installed.
qf_missing_packages() {
  local package
  for package in "${QF_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      echo "$package"
  done
}

# Installs the missing packages (QF_PACKAGES and the arguments) with apt-get
# when running as root on Debian; elsewhere names them and stops. Installs
# nothing when all are there.
qf_ensure_packages() {
  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "This is not a Debian system. Install the equivalents of: ${QF_PACKAGES[*]} $*" >&2
    echo "then build by hand (see README.md)." >&2
    exit 1
  fi
  local missing
  missing=$(qf_missing_packages "$@" | tr '\n' ' ')
  [ -z "${missing// /}" ] && return 0
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q >/dev/null
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $missing >/dev/null
  else
    echo "Missing packages: $missing" >&2
    echo "Install them with: sudo apt-get install $missing" >&2
    exit 1
  fi
}

# Configures and builds a preset (default: dev) quietly, showing output only
# when something fails. Niced: the machine's cores are shared.
qf_build() {
  local preset=${1:-dev} log
  log=$(mktemp)
  if ! { nice -n 10 cmake --preset "$preset" && nice -n 10 cmake --build --preset "$preset"; } \
    >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "Build failed (preset $preset)." >&2
    exit 1
  fi
  rm -f "$log"
}
