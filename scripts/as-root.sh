# as_root COMMAND...: runs a command as root (sourced by the scripts that
# install Debian packages): as it is for root, through sudo for a user.
# $missing names the packages for the message when neither can be done.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "Missing packages: ${missing[*]}. Install them as root, or install sudo." >&2
    exit 1
  fi
}

# install_missing PACKAGE...: installs those not installed yet.
install_missing() {
  missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}
