#!/usr/bin/env bash
# Builds the emulated PC that runs the 32-bit Windows tests on machines that cannot
# execute 32-bit code: a Debian 12 guest with 32-bit Wine, its kernel and a small
# initrd, and a 32-bit Wine prefix made once inside it. Only Debian's packages, from
# the host's own mirror. Cached outside the work tree, keyed by this script and the
# guest's init, so a changed package list builds it anew. Needs root.
# Usage: guest-image.sh   (prints the folder holding root.img, vmlinuz and initrd.img)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(wine wine32:i386 fonts-wine fonts-wqy-microhei xvfb xauth x11-utils
          locales cmake dosfstools
          libxrender1 libxrandr2 libxinerama1 libxcursor1 libxi6 libxcomposite1 libxfixes3
          libxxf86vm1 libxrender1:i386 libxrandr2:i386 libxinerama1:i386 libxcursor1:i386
          libxi6:i386 libxcomposite1:i386 libxfixes3:i386 libxxf86vm1:i386
          libdbus-1-3:i386 libgnutls30:i386)
# The prefix the tests start from; each boot throws its changes away.
primed_prefix=/var/lib/quillet/wineprefix

key=$(cat "$here/guest-image.sh" "$here/guest-init.sh" | sha256sum | cut -c1-16)
cache=${QUILLET_GUEST_CACHE:-/var/tmp/quillet-i686-guest}
guest=$cache/$key
mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9
if [ -f "$guest/ready" ]; then
    echo "$guest"
    exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "guest-image.sh: building the emulated PC needs root (debootstrap, chroot)" >&2
    exit 1
fi

log() { echo "guest-image: $*" >&2; }
started=$(date +%s)
# Older guests are of no more use once the package list changed.
find "$cache" -mindepth 1 -maxdepth 1 -type d ! -name "$key" -exec rm -rf {} +
rm -rf "$guest"
mkdir -p "$guest"
root=$guest/root

sources=/etc/apt/sources.list.d/debian.sources
if [ -f "$sources" ]; then
    mirror=$(awk '/^URIs:/ { print $2; exit }' "$sources")
else
    sources=/etc/apt/sources.list
    mirror=$(awk '$1 == "deb" { print $2; exit }' "$sources")
fi
log "debootstrap from $mirror"
debootstrap --variant=minbase --arch=amd64 \
    --include=linux-image-amd64,initramfs-tools,kmod,procps,busybox,mount \
    bookworm "$root" "$mirror" >"$guest/debootstrap.log" 2>&1 ||
    { tail -n 20 "$guest/debootstrap.log" >&2; exit 1; }

unmount_chroot() {
    for dir in dev/pts dev sys proc; do
        mountpoint -q "$root/$dir" 2>/dev/null && umount -l "$root/$dir"
    done
    return 0
}
trap unmount_chroot EXIT
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"

rm -f "$root/etc/apt/sources.list"
mkdir -p "$root/etc/apt/sources.list.d"
cp "$sources" "$root/etc/apt/sources.list.d/"
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"

log "installing ${#packages[@]} packages"
guest_command=(chroot "$root" env DEBIAN_FRONTEND=noninteractive LANG=C)
in_guest() { "${guest_command[@]}" "$@"; }
in_guest dpkg --add-architecture i386
# Two i386 setup scripts cannot run on a host that refuses 32-bit code; they are harmless.
{ bash "$here/../apt-update.sh" "${guest_command[@]}" &&
  bash "$here/../apt-install.sh" "$root" "${guest_command[@]}" -- --no-install-recommends \
      "${packages[@]}"; } \
    >"$guest/packages.log" 2>&1 || { tail -n 20 "$guest/packages.log" >&2; exit 1; }
for locale in zh_CN en_US ja_JP; do in_guest localedef -i $locale -f UTF-8 $locale.UTF-8; done

printf '%s\n' virtio_pci virtio_blk ext4 9pnet_virtio 9p >>"$root/etc/initramfs-tools/modules"
sed -i 's/^MODULES=.*/MODULES=list/' "$root/etc/initramfs-tools/initramfs.conf"
in_guest update-initramfs -u -k all >/dev/null 2>&1
install -m 755 "$here/guest-init.sh" "$root/sbin/quillet-init"
mkdir -p "$root$(dirname "$primed_prefix")"
in_guest apt-get clean
rm -f "$root/usr/sbin/policy-rc.d"
unmount_chroot
trap - EXIT

cp "$root"/boot/vmlinuz-* "$guest/vmlinuz"
cp "$root"/boot/initrd.img-* "$guest/initrd.img"
log "making the disk image"
mkfs.ext4 -q -F -d "$root" "$guest/root.img" 6G >/dev/null
rm -rf "$root"

# A fresh 32-bit prefix takes about a minute to make: make it once, into the image.
log "making the 32-bit Wine prefix inside the guest"
mkdir -p "$guest/prime"
cat >"$guest/prime/job" <<JOB
export WINEARCH=win32 WINEPREFIX=$primed_prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
wine wineboot -i && wineserver -w && test -f $primed_prefix/system.reg
JOB
# The job's output goes to stderr: stdout carries only the folder's path.
QUILLET_GUEST_WRITABLE=1 bash "$here/run-in-guest.sh" "$guest" "$guest" "$guest/prime" 900 9>&- >&2 ||
    { log "the guest could not make its Wine prefix"; exit 1; }
touch "$guest/ready"
log "built in $(( $(date +%s) - started )) s"
echo "$guest"
