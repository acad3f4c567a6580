# Sourced by scripts/run and scripts/test: installs the Debian packages the
# project needs when they are missing, and builds a configuration.

GEM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and running need; testing adds its own list.
GEM_BUILD_PACKAGES="g++ make cmake pkg-config ccache liballegro4-dev libgtest-dev libbenchmark-dev"
GEM_TEST_PACKAGES="xvfb xdotool imagemagick netpbm x11-utils clang libclang-rt-14-dev clang-format git"

# ensure_packages PKG...: apt-get install whatever is not installed yet.
ensure_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# build DIR [CMAKE OPTIONS...]: configure (once) and build with both cores.
build() {
    local dir=$1
    shift
    cmake -S "$GEM_ROOT" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j2
}
