#!/usr/bin/env bash
# The set-up's decision to run as root, again through sudo, or not at all,
# with stand-ins for `id` and `sudo` on a PATH of their own (so no case needs
# root or installs anything); and the README's commands, which must work in a
# root shell that has no sudo.
# Usage: root_or_sudo_test.sh REPOSITORY
set -uo pipefail
repo=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A script that uses the helper as setup.sh does, and goes on as root.
cat >"$scratch/probe.sh" <<PROBE
source "$repo/scripts/as-root.sh"
ensure_root "\${BASH_SOURCE[0]}" "\$@"
echo "ran as root with \$*"
PROBE

# run_as UID SUDO DIR SCRIPT ARGS...: runs `bash SCRIPT ARGS` in DIR as the
# stand-in user; sets out, status and sudo_args (what sudo was called with).
run_as() {
  local uid=$1 sudo=$2 dir=$3
  shift 3
  local bin="$scratch/bin-$uid-$sudo"
  mkdir -p "$bin"
  printf '#!/bin/bash\necho %s\n' "$uid" >"$bin/id"
  [[ $sudo == yes ]] && printf '#!/bin/bash\necho "$*" >"%s/sudo-args"\n' "$scratch" >"$bin/sudo"
  chmod +x "$bin"/*
  ln -sf "$(command -v bash)" "$bin/bash"
  ln -sf "$(command -v dirname)" "$bin/dirname"
  rm -f "$scratch/sudo-args"
  out=$(cd "$dir" && PATH="$bin" bash "$@" 2>&1)
  status=$?
  sudo_args=$(cat "$scratch/sudo-args" 2>/dev/null)
}

# uid | sudo installed | folder | script and arguments | status | output has | sudo got
cases=(
  "0|no|$scratch|probe.sh a b|0|ran as root with a b|"
  "0|yes|$scratch|probe.sh a b|0|ran as root with a b|"
  "1000|yes|$scratch|probe.sh a b|0|running it again through sudo|bash probe.sh a b"
  "1000|no|$scratch|probe.sh a b|1|su -c 'bash probe.sh'|"
  "1000|yes|$repo|scripts/setup.sh|0|running it again through sudo|bash scripts/setup.sh"
  "1000|no|$repo|scripts/setup.sh|1|su -c 'bash scripts/setup.sh'|"
  "1000|no|$repo|scripts/main.sh|1|su -c 'bash scripts/setup.sh'|"
)
for case in "${cases[@]}"; do
  IFS='|' read -r uid sudo dir command expected_status expected_out expected_sudo <<<"$case"
  read -ra words <<<"$command"
  run_as "$uid" "$sudo" "$dir" "${words[@]}"
  what="$command as $uid, sudo $sudo"
  [[ $status -eq $expected_status ]] || fail "$what: status $status, not $expected_status"
  [[ $out == *"$expected_out"* ]] || fail "$what: output \"$out\""
  [[ $sudo_args == "$expected_sudo" ]] || fail "$what: sudo called with \"$sudo_args\""
done

# The README's commands name no sudo: a root shell in a fresh container has
# none, and the set-up elevates itself where it must.
commands=$(awk '/^```sh$/ {inside = 1; next} /^```$/ {exit} inside' "$repo/README.md")
[[ -n $commands ]] || fail "no commands at the top of the README"
while read -r line; do
  [[ $line =~ ^bash\ scripts/[a-z-]+\.sh$ && -f $repo/${line#bash } ]] ||
    fail "README command \"$line\" is not 'bash scripts/NAME.sh' of an existing script"
done <<<"$commands"

[[ $failures -eq 0 ]] && echo "all passed"
exit "$failures"
