#!/usr/bin/env bash
# The set-up's decision to run as root, through sudo, or not at all, with a
# stand-in `id` and `sudo` on PATH (so no test needs root or installs
# anything); and the README's commands, which must work as root without sudo.
# Usage: root_or_sudo_test.sh REPOSITORY
set -uo pipefail
repo=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A script that sources the helper the way setup.sh does.
cat >"$scratch/probe.sh" <<PROBE
source "$repo/scripts/as-root.sh"
ensure_root "\${BASH_SOURCE[0]}" "\$@"
echo "ran as root with \$*"
PROBE

# run_probe UID WITH_SUDO: runs the probe with "a b" under a PATH holding only
# the stand-ins; sets out, status and sudo_args.
run_probe() {
  local bin="$scratch/bin-$1-$2"
  mkdir -p "$bin"
  printf '#!/bin/bash\necho %s\n' "$1" >"$bin/id"
  if [[ $2 == yes ]]; then
    printf '#!/bin/bash\necho "$*" >"%s/sudo-args"\n' "$scratch" >"$bin/sudo"
  fi
  chmod +x "$bin"/*
  rm -f "$scratch/sudo-args"
  out=$(cd "$scratch" && PATH="$bin" /bin/bash probe.sh a b 2>&1)
  status=$?
  sudo_args=$(cat "$scratch/sudo-args" 2>/dev/null)
}

# uid | sudo installed | status | output contains | sudo called with
cases=(
  "0|no|0|ran as root with a b|"
  "0|yes|0|ran as root with a b|"
  "1000|yes|0|running it again through sudo|bash probe.sh a b"
  "1000|no|1|su -c 'bash probe.sh'|"
)
for case in "${cases[@]}"; do
  IFS='|' read -r uid sudo expected_status expected_out expected_sudo <<<"$case"
  run_probe "$uid" "$sudo"
  what="uid $uid, sudo $sudo"
  [[ $status -eq $expected_status ]] || fail "$what: status $status, not $expected_status"
  [[ $out == *"$expected_out"* ]] || fail "$what: output \"$out\""
  [[ $sudo_args == "$expected_sudo" ]] || fail "$what: sudo called with \"$sudo_args\""
done

# The README's commands: no sudo in them (a root shell in a fresh container
# has none), and each script's set-up goes through the helper.
commands=$(awk '/^```sh$/ {inside = 1; next} /^```$/ {exit} inside' "$repo/README.md")
[[ -n $commands ]] || fail "no commands at the top of the README"
while read -r line; do
  [[ $line =~ ^bash\ scripts/([a-z-]+\.sh)$ ]] || { fail "README command \"$line\" is not 'bash scripts/NAME.sh'"; continue; }
  grep -q '^bash scripts/setup.sh\|^if ! bash scripts/setup.sh' "$repo/scripts/${BASH_REMATCH[1]}" ||
    fail "${BASH_REMATCH[1]} does not run scripts/setup.sh"
done <<<"$commands"
first_line=$(grep -n -m1 -v '^\(#.*\|set .*\|\)$' "$repo/scripts/setup.sh" | cut -d: -f2-)
[[ $first_line == 'source "$(dirname "${BASH_SOURCE[0]}")/as-root.sh"' ]] ||
  fail "setup.sh does something before it makes sure it runs as root: $first_line"

[[ $failures -eq 0 ]] && echo "all passed"
exit "$failures"
