#!/usr/bin/env bash
# Runs the README's test command in a clean chroot of a Debian release:
#   scripts/test-in.sh RELEASE      RELEASE: bookworm, trixie or sid
# Makes the chroot with mmdebstrap from the archive this machine's apt uses
# (a minimal system: apt and what every Debian has), puts a clean clone of
# this repository's HEAD in it, and runs ./scripts/test.sh there, which
# installs what scripts/install-deps.sh names and nothing else. Needs root
# (through sudo otherwise). The chroot is removed afterwards, whatever
# happened; VONDRELLEX_KEEP_CHROOT=1 keeps it for a look inside.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
release=${1:-}
case $release in
  bookworm | trixie | sid) ;;
  *)
    echo "usage: $0 bookworm|trixie|sid" >&2
    exit 2 ;;
esac
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "test-in.sh: needs root, and sudo is not available" >&2; exit 1; }
  exec sudo --preserve-env=VONDRELLEX_KEEP_CHROOT "$0" "$@"
fi

start=$SECONDS
step() { echo "== $release: $* ($((SECONDS - start)) s)"; }
die() {
  echo "== $release: FAILED: $*" >&2
  exit 1
}

bash "$top/scripts/install-deps.sh" chroot

# The archive of this machine's own apt sources (a dated copy may be past
# its release files' Valid-Until: apt is told not to mind, there and inside).
archive=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -v -- -security | head -1)
[ -n "$archive" ] || archive=$(awk '$1 == "deb" && $3 !~ /security/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
archive=${archive:-http://deb.debian.org/debian}

root=$(mktemp -d "${TMPDIR:-/var/tmp}/vondrellex-$release.XXXXXX")
mounts=()
cleanup() {
  local status=$? i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[$i]}" 2>/dev/null || umount -l "${mounts[$i]}" || true
  done
  if [ "${VONDRELLEX_KEEP_CHROOT:-}" = 1 ]; then
    echo "== $release: the chroot stays in $root"
  elif findmnt -R "$root" >/dev/null 2>&1; then
    echo "== $release: something is still mounted under $root; not removing it" >&2
  else
    # Never past the chroot's own file system, whatever is left in it.
    rm -rf --one-file-system "$root"
  fi
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step "making a chroot of $release from $archive in $root"
mmdebstrap --variant=apt --quiet --aptopt='Acquire::Check-Valid-Until "false"' \
  "$release" "$root" "$archive" >"$root.log" 2>&1 ||
  { tail -20 "$root.log" >&2; rm -f "$root.log"; die "mmdebstrap could not make the chroot"; }
rm -f "$root.log"
cp /etc/resolv.conf "$root/etc/resolv.conf"
for m in proc sys dev dev/pts; do
  mount --bind "/$m" "$root/$m"
  mounts+=("$root/$m")
done

step "cloning $(git -C "$top" rev-parse --short HEAD) into /build/vondrellex"
mkdir -p "$root/build"
git clone --quiet --no-hardlinks "$top" "$root/build/vondrellex" || die "cannot clone $top"

step "running ./scripts/test.sh"
chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  bash -c 'cd /build/vondrellex && ./scripts/test.sh' ||
  die "the test command failed in $release ($((SECONDS - start)) s)"
step "passed"
