#!/usr/bin/env bash
# Builds the libraries Ravik links, for 64-bit Windows (x86_64-w64-mingw32, static),
# from Debian's own source packages: OpenSSL, libcurl against that OpenSSL, pugixml,
# GoogleTest (from /usr/src/googletest), and copies the nlohmann-json headers. The
# versions are those of the Linux build's -dev packages where the mirror still has them.
#
# Everything goes into a prefix outside the clone, reused while it is complete:
#   ${RAVIK_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/ravik}/windows-deps-KEY
# KEY follows the source versions, the compiler and RECIPE below. A prefix is complete
# when its stamp file is there (written last); a half-built one is built again.
#
# Installs the cross compiler, Wine and the build tools when missing (sudo when not
# root) and adds a deb-src entry for the system's Debian suites when there is none.
# Prints the prefix as the one line on stdout; progress and timings go to stderr.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
toolchain="$root/cmake/mingw-w64.cmake"
triplet=x86_64-w64-mingw32
RECIPE=2 # raise when the build steps below change, so old prefixes are not reused

say() { echo "windows-deps: $*" >&2; }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

# --- Debian packages ------------------------------------------------------------------
packages=(g++-mingw-w64-x86-64-posix wine64 cmake ninja-build make perl dpkg-dev
  libgtest-dev nlohmann-json3-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  say "installing ${missing[*]}"
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The source version of a binary package: the installed one, else the candidate.
source_version() {
  local version
  version="$(dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null || true)"
  [ -n "$version" ] || version="$(apt-cache policy "$1" | awk '/Candidate:/ { print $2 }')"
  echo "$version"
}
openssl_version="$(source_version libssl-dev)"
curl_version="$(source_version libcurl4-openssl-dev)"
pugixml_version="$(source_version libpugixml-dev)"
gtest_version="$(source_version libgtest-dev)"
json_version="$(source_version nlohmann-json3-dev)"
compiler_version="$($triplet-g++-posix -dumpfullversion)"
key="$(printf '%s\n' "$RECIPE" "$compiler_version" "$openssl_version" "$curl_version" "$pugixml_version" \
  "$gtest_version" "$json_version" "$(sha256sum <"$toolchain")" | sha256sum | cut -c1-12)" # content, not path

cache="${RAVIK_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/ravik}"
prefix="$cache/windows-deps-$key"
stamp="$prefix/ravik-windows-deps.complete"
mkdir -p "$cache"
exec 9>"$cache/windows-deps.lock" # two builds at once would share one prefix
flock 9
if [ -f "$stamp" ]; then
  say "reusing $prefix"
  echo "$prefix"
  exit 0
fi

say "building into $prefix (openssl $openssl_version, curl $curl_version, pugixml $pugixml_version)"
rm -rf "$prefix" "$prefix.work"
work="$prefix.work"
mkdir -p "$prefix" "$work/logs"
started=$SECONDS

# Runs one step with its output in a log; on failure shows the log's end.
step() { # NAME COMMAND...
  local name="$1" begin=$SECONDS status
  shift
  # Not inside an if: there bash would ignore set -e in the step's own commands.
  set +e
  (set -e; "$@") >"$work/logs/$name.log" 2>&1
  status=$?
  set -e
  if [ $status -ne 0 ]; then
    say "$name FAILED; the end of $work/logs/$name.log:"
    tail -40 "$work/logs/$name.log" >&2
    exit 1
  fi
  say "$name: $((SECONDS - begin)) s"
}

# --- Sources --------------------------------------------------------------------------
has_deb_src() {
  grep -Eqs '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list ||
    grep -Eqs '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources
}

# The Debian entries of the system (deb822 stanzas and one-line entries) again as deb-src.
add_deb_src() {
  local sources=/etc/apt/sources.list.d/ravik-deb-src.sources list=/etc/apt/sources.list.d/ravik-deb-src.list
  local stanzas lines
  stanzas="$(awk 'BEGIN { RS = ""; ORS = "\n\n" }
    /(^|\n)Types:[^\n]*deb/ && /debian\.org/ && !/(^|\n)Enabled: *no/ {
      out = ""; n = split($0, line, "\n")
      for (i = 1; i <= n; i++) {
        if (line[i] ~ /^#/) continue
        if (line[i] ~ /^Types:/) line[i] = "Types: deb-src"
        out = out line[i] "\n"
      }
      printf "%s\n", out
    }' /dev/null /etc/apt/sources.list.d/*.sources 2>/dev/null || true)"
  lines="$(sed -n 's/^[[:space:]]*deb[[:space:]]\(.*debian\.org.*\)/deb-src \1/p' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true)"
  [ -z "$stanzas" ] || echo "$stanzas" | $sudo tee "$sources" >/dev/null
  [ -z "$lines" ] || echo "$lines" | $sudo tee "$list" >/dev/null
  [ -n "$stanzas$lines" ] || { say "no Debian entry in the apt sources to add deb-src for"; return 1; }
}

# Fetches and unpacks one source package: the wanted version, else the newest the index
# names that the mirror serves whole (a mirror may lag behind its own index).
fetch_source() { # PACKAGE VERSION
  local package="$1" version
  for version in "$2" $(apt-cache showsrc "$package" | awk '/^Version:/ { print $2 }' | sort -Vr); do
    rm -rf "$work/download"
    mkdir -p "$work/download"
    if (cd "$work/download" && apt-get source --download-only "$package=$version") &&
      dpkg-source -x "$work/download/${package}_"*.dsc "$work/$package"; then
      echo "$package $version" >>"$work/versions"
      return 0
    fi
  done
  return 1
}

fetch_sources() {
  if ! has_deb_src; then
    add_deb_src
    $sudo apt-get update -qq
  fi
  fetch_source openssl "$openssl_version"
  fetch_source curl "$curl_version"
  fetch_source pugixml "$pugixml_version"
  rm -rf "$work/download"
}
step sources fetch_sources

# --- Libraries ------------------------------------------------------------------------
cmake_windows() { # SOURCE BUILD OPTIONS...
  local source="$1" build="$2"
  shift 2
  cmake -S "$source" -B "$build" -G Ninja --toolchain "$toolchain" -DRAVIK_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@"
  cmake --build "$build" -j2
  cmake --install "$build"
}

build_openssl() {
  cd "$work/openssl"
  ./Configure mingw64 no-shared no-tests no-module no-legacy --cross-compile-prefix=$triplet- CC=gcc-posix \
    --prefix="$prefix" --libdir=lib
  make -j2 build_libs
  make install_dev
}
step openssl build_openssl

# libcurl with OpenSSL rather than Schannel: Ravik checks an FTPS server's fingerprint in
# OpenSSL's verify callback, so the one code serves both systems. HTTP stays on (the FTP
# code calls into it); the protocols and features Ravik does not use are off.
build_curl() {
  local off=()
  for protocol in LDAP LDAPS DICT FILE GOPHER IMAP POP3 SMTP SMB RTSP TELNET TFTP MQTT; do
    off+=("-DCURL_DISABLE_$protocol=ON")
  done
  cmake_windows "$work/curl" "$work/curl-build" "${off[@]}" -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF \
    -DENABLE_MANUAL=OFF -DCURL_USE_OPENSSL=ON -DCURL_USE_SCHANNEL=OFF -DOPENSSL_ROOT_DIR="$prefix" \
    -DCURL_ZLIB=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DUSE_NGHTTP2=OFF -DUSE_LIBIDN2=OFF -DUSE_WIN32_IDN=OFF \
    -DCURL_USE_LIBPSL=OFF -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBSSH=OFF -DCURL_USE_GSSAPI=OFF \
    -DCURL_DISABLE_ALTSVC=ON -DCURL_DISABLE_HSTS=ON -DENABLE_UNIX_SOCKETS=OFF -DCURL_CA_BUNDLE=none \
    -DCURL_CA_PATH=none
}
step curl build_curl

step pugixml cmake_windows "$work/pugixml" "$work/pugixml-build" -DPUGIXML_BUILD_TESTS=OFF
step googletest cmake_windows /usr/src/googletest "$work/googletest-build" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON

copy_json() {
  mkdir -p "$prefix/include" "$prefix/share/cmake"
  cp -r /usr/include/nlohmann "$prefix/include/"
  cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
}
step nlohmann-json copy_json

printf 'googletest %s\nnlohmann-json %s\n%s %s\n' "$gtest_version" "$json_version" "$triplet-g++-posix" \
  "$compiler_version" | cat "$work/versions" - >"$stamp"
rm -rf "$work"
say "complete in $((SECONDS - started)) s: $(tr '\n' ' ' <"$stamp")"
echo "$prefix"
