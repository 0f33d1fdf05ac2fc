# Sourced by the scripts that change the machine. ensure_root SCRIPT [ARGS...]
# returns at once for root; otherwise it runs SCRIPT again through sudo when
# sudo is installed, and else stops with what to do. So the README's commands
# work in a root shell without sudo (a fresh container) and for a user with
# sudo alike.
ensure_root() {
  local script=$1
  shift
  if [[ $(id -u) -eq 0 ]]; then
    return 0
  fi
  if command -v sudo >/dev/null 2>&1; then
    echo "${script##*/}: not root; running it again through sudo" >&2
    exec sudo bash "$script" "$@"
  fi
  echo "${script##*/}: installing packages needs root, and sudo is not installed." >&2
  echo "Run it as root (su -c 'bash $script') or install sudo, then run it again." >&2
  exit 1
}
