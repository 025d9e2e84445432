#!/usr/bin/env bash
# Mounts (or unmounts) the small disks that the Windows fault tests use under Wine,
# which cannot mount anything itself. The same disks a native test mounts on its own:
# small (256 KiB), few-files (room for three entries), read-only (holds kept/a.txt),
# fat (2 MiB of FAT, through FUSE's fusefat unless the kernel has vfat).
# Usage: fault_disks.sh mount|unmount DIR
set -u
action=$1
base=$2

unmount_all() {
    rm -f "$base/ready"
    for disk in small few-files read-only fat; do
        mountpoint -q "$base/$disk" 2>/dev/null && umount -l "$base/$disk"
    done
    rm -f "$base/fat.img"
    return 0
}

if [ "$action" = unmount ]; then
    unmount_all
    exit 0
fi

unmount_all
mkdir -p "$base/small" "$base/few-files" "$base/read-only" "$base/fat"
# Without root the tests skip with their reason; that is no failure of this step.
if [ "$(id -u)" -ne 0 ]; then
    echo "fault_disks.sh: not root, the disk faults will be skipped"
    exit 0
fi
mount -t tmpfs -o size=256k tmpfs "$base/small" &&
    mount -t tmpfs -o size=256k,nr_inodes=4 tmpfs "$base/few-files" &&
    mount -t tmpfs -o size=256k tmpfs "$base/read-only" &&
    mkdir "$base/read-only/kept" &&
    printf a >"$base/read-only/kept/a.txt" &&
    mount -o remount,ro "$base/read-only" &&
    mkfs.vfat -C "$base/fat.img" 2048 >/dev/null &&
    { modprobe -q vfat; modprobe -q loop; true; } 2>/dev/null &&
    if grep -qw vfat /proc/filesystems; then
        mount -o loop "$base/fat.img" "$base/fat"
    else
        # No kernel caching of names: a name looked up in another case would outlive
        # the entry it found there.
        fusefat -o rw+,entry_timeout=0,attr_timeout=0,negative_timeout=0 "$base/fat.img" "$base/fat" >/dev/null 2>&1
    fi &&
    touch "$base/ready" || {
    echo "fault_disks.sh: cannot mount the disks, the disk faults will be skipped"
    unmount_all
}
exit 0
