# Sourced: finds out whether this machine runs 32-bit programs, and sets
# zonora_runs_32_bit to yes or no. Some amd64 kernels cannot (built without
# IA-32 emulation, or started with ia32_emulation=0); on them the 32-bit Wine
# cannot start, and so the 32-bit Windows program cannot be tested.
#
# The probe runs real 32-bit programs rather than guessing from the kernel: a
# tiny hand-made i386 program that only exits with status 42, and the 32-bit
# Wine loader where it is installed, since that is the program the tests need
# and whatever keeps it from starting must count.
#
# Where the answer is no and the 32-bit Wine is installed all the same,
# Debian's wine would still start every program through it: `wine` and the
# tools started through it (wineboot, winepath) then go straight to Wine's
# 64-bit loader, by stand-ins put first in PATH.

zonora_not_run_32="32-bit Windows program: built, not run here: this machine cannot run 32-bit programs"
zonora_wine32_loader=/usr/lib/wine/wine
zonora_wine64_loader=/usr/lib/wine/wine64

zonora_bitness_build="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build"
mkdir -p "$zonora_bitness_build"
zonora_probe_program="$zonora_bitness_build/probe-i386"
# Made once, so that a probe put in its place is run as it is.
if [ ! -e "$zonora_probe_program" ]; then
  printf '\177\105\114\106\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\273\52\0\0\0\315\200' \
    >"$zonora_probe_program"
  chmod +x "$zonora_probe_program"
fi

# Runs one probe (the status it must end with, then the command); where it
# ends otherwise, this machine runs no 32-bit programs, and why is kept.
zonora_runs_32_bit=yes
zonora_probe() {
  local expected="$1" status=0 said
  shift
  said="$("$@" 2>&1)" || status=$?
  if [ "$status" -ne "$expected" ]; then
    zonora_runs_32_bit=no
    zonora_probe_report="$* ended with status $status${said:+: $said}"
  fi
}
zonora_probe 42 "$zonora_probe_program"
if [ "$zonora_runs_32_bit" = yes ] && [ -e "$zonora_wine32_loader" ]; then
  zonora_probe 0 "$zonora_wine32_loader" --version
fi
if [ "$zonora_runs_32_bit" = no ]; then
  # Said once a run, by the script that began it (scripts/failure.sh).
  if [ -n "${zonora_run_level:-}" ]; then
    echo "This machine cannot run 32-bit programs: $zonora_probe_report"
  fi
  if [ -x "$zonora_wine64_loader" ]; then
    zonora_wine64_only="$zonora_bitness_build/wine64-only"
    mkdir -p "$zonora_wine64_only"
    for zonora_name in wine wine-stable; do
      printf '#!/bin/sh\nexport WINELOADER=%s\nexec "$WINELOADER" "$@"\n' "$zonora_wine64_loader" \
        >"$zonora_wine64_only/$zonora_name"
      chmod +x "$zonora_wine64_only/$zonora_name"
    done
    case ":$PATH:" in
      *":$zonora_wine64_only:"*) ;;
      *) export PATH="$zonora_wine64_only:$PATH" ;;
    esac
  fi
fi
