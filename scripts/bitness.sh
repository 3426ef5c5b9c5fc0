# Sourced: finds out whether this machine runs 32-bit programs, and sets
# zonora_runs_32_bit to yes or no. Some amd64 kernels cannot (built without
# IA-32 emulation, or started with ia32_emulation=0); on them the 32-bit Wine
# cannot start, and so the 32-bit Windows program cannot be tested.
#
# The probe runs a real 32-bit program rather than guessing from the kernel:
# the 32-bit Wine loader where it is installed, since that is the program the
# tests need and whatever keeps it from starting must count; elsewhere a tiny
# hand-made i386 program that only exits with status 42.
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
if [ -e "$zonora_wine32_loader" ]; then
  zonora_probe=("$zonora_wine32_loader" --version)
  zonora_probe_passes() { [ "$1" -eq 0 ]; }
else
  zonora_probe=("$zonora_bitness_build/probe-i386")
  printf '\177\105\114\106\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\273\52\0\0\0\315\200' \
    >"${zonora_probe[0]}"
  chmod +x "${zonora_probe[0]}"
  zonora_probe_passes() { [ "$1" -eq 42 ]; }
fi
zonora_probe_status=0
zonora_probe_said="$("${zonora_probe[@]}" 2>&1)" || zonora_probe_status=$?
if zonora_probe_passes "$zonora_probe_status"; then
  zonora_runs_32_bit=yes
else
  zonora_runs_32_bit=no
  # Said once a run, by the script that began it (scripts/failure.sh).
  if [ -n "${zonora_run_level:-}" ]; then
    echo "This machine cannot run 32-bit programs: ${zonora_probe[*]} ended with status $zonora_probe_status${zonora_probe_said:+: $zonora_probe_said}"
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
