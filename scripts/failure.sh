# Sourced first by every script here, so that none stops without a word: a
# command that fails ends the script with one line on standard error that
# names the script, its step, the command and its exit status (the command's
# own message stands just above it).
#   step "what now"   prints "== what now (N s)" and names the step
#   fail "why"        ends the script with that line
# A run of scripts within scripts keeps the first such line, and the script
# that began the run ends by repeating it: the last line of the output names
# what failed first, however deep it happened.

set -E
zonora_script="${0##*/}"
zonora_step=""
zonora_started=$SECONDS
if [ -z "${ZONORA_FIRST_FAILURE:-}" ]; then
  # Made only when something fails, so a run that passes leaves nothing.
  ZONORA_FIRST_FAILURE="$(mktemp -u /tmp/zonora-failure.XXXXXX)"
  export ZONORA_FIRST_FAILURE
  zonora_run_level=$BASH_SUBSHELL
else
  zonora_run_level=""
fi

step() {
  zonora_step="$*"
  echo "== $* ($((SECONDS - zonora_started)) s)"
}

fail() {
  local line="FAILED: $zonora_script${zonora_step:+, step \"$zonora_step\"}: $*"
  echo "$line" >&2
  if [ ! -s "$ZONORA_FIRST_FAILURE" ]; then
    echo "$line" >"$ZONORA_FIRST_FAILURE"
  elif [ "$BASH_SUBSHELL" = "$zonora_run_level" ]; then
    echo "first failure: $(cat "$ZONORA_FIRST_FAILURE")" >&2
  fi
  [ "$BASH_SUBSHELL" != "$zonora_run_level" ] || rm -f "$ZONORA_FIRST_FAILURE"
  exit 1
}

trap 'fail "$BASH_COMMAND exited with status $?"' ERR
