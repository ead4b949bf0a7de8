#!/usr/bin/env bash
# Every call into the operating system goes through src/core/platform: no other
# source file of the program may include an OS header.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*<(unistd|fcntl|termios|poll|dirent|pwd|grp|spawn|signal|dlfcn|pty|utmp|windows|winbase|winsock2|ws2tcpip|shellapi|io|direct|process|tlhelp32|setupapi)\.h>|^[[:space:]]*#[[:space:]]*include[[:space:]]*<(sys|linux|asm|arpa|netinet|net)/'
found=$(grep -rnE "$pattern" "$root/src" --include='*.cpp' --include='*.h' | grep -v "^$root/src/core/platform/" || true)
if [ -n "$found" ]; then
  echo "OS headers outside src/core/platform (move the call into the platform layer):"
  echo "${found//$root\//}"
  exit 1
fi
