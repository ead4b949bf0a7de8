# Shared by windows-compare.sh and windows-station.sh (sourced): the programs, Wine, and
# the masks applied before Linux's and Windows' outputs are compared byte for byte.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
linux_cli="$root/build/ravik-cli"
windows_cli="$root/build-windows/ravik-cli.exe"
export WINEPREFIX="${WINEPREFIX:-$root/build-windows/wine}" WINEDEBUG=-all
wine=/usr/lib/wine/wine64

if [ ! -x "$linux_cli" ] || [ ! -f "$windows_cli" ]; then
  echo "$(basename "$0"): build $linux_cli and $windows_cli first (scripts/test-windows.sh)" >&2
  exit 1
fi

# The separator of the Windows paths given to ravik-cli.exe: "\\", as users type them;
# RAVIK_WINDOWS_SEPARATOR=/ tries the other form Windows accepts.
windows_separator="${RAVIK_WINDOWS_SEPARATOR:-\\}"
windows_path() { # /unix/path -> Z:\unix\path (Wine's drive Z: is /)
  local path="${1//\//$windows_separator}"
  printf 'Z:%s' "$path"
}

# What differs from run to run in the files a command wrote: the clock times
# ("HH:MM:SS, DD.MM.YYYY" in pages, an XML list's createTime, the time at the start of
# each line of the race's log) and the process id in the race lock.
mask_times_and_pids() { # FOLDER
  find "$1" -type f \( -name '*.htm' -o -name '*.html' -o -name '*.xml' -o -name '*.log' -o -name '*.lock' \) \
    -exec perl -pi -e '
    s/\d\d:\d\d:\d\d, \d\d\.\d\d\.\d{4}/HH:MM:SS, DD.MM.YYYY/g;
    s/createTime="[^"]*"/createTime="TIME"/g;
    s/^\d\d:\d\d:\d\d(?=\s)/HH:MM:SS/ if $ARGV =~ m{\.log$};
    s/^\d+$/PID/ if $ARGV =~ m{\.lock$}' {} +
}

# In what the commands printed: a path (the race folder in the system's own form and
# what follows it up to a space or quote) becomes NAME with "/" between its parts.
mask_printed_path() { # FOLDER PATH NAME
  MASKED_PATH="$2" MASK_NAME="$3" find "$1" -type f -exec perl -pi -e \
    's{\Q$ENV{MASKED_PATH}\E([^\s"]*)}{my $rest = $1; $rest =~ tr|\\|/|; "$ENV{MASK_NAME}$rest"}ge' {} +
}
