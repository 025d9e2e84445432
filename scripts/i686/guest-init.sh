#!/bin/sh
# PID 1 of the emulated test PC. The kernel command line names the host folder shared
# at the same path (quillet.share) and a run folder in it (quillet.run) that holds the
# job; the job's output and exit status go back into that folder. Then it powers off.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
# The initrd may have mounted some of these already.
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mountpoint -q /dev || mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
for dir in /run /tmp /dev/shm; do mount -t tmpfs tmpfs "$dir"; done
chmod 1777 /tmp /dev/shm
modprobe 9pnet_virtio
modprobe 9p

share= run= limit=3600
for arg in $(cat /proc/cmdline); do
    case $arg in
    quillet.share=*) share=${arg#*=} ;;
    quillet.run=*) run=${arg#*=} ;;
    quillet.timeout=*) limit=${arg#*=} ;;
    esac
done
mkdir -p "$share"
if grep -qs kvm-clock /sys/devices/system/clocksource/clocksource0/available_clocksource; then
    echo "guest: running with KVM"
else
    echo "guest: running under software emulation"
fi
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=1048576,cache=none shared "$share" &&
    [ -f "$run/job" ]; then
    echo "guest: job started"
    cd "$run" && timeout -k 10 "$limit" sh "$run/job" >"$run/output.log" 2>&1 </dev/null
    echo $? >"$run/status"
    sync
    echo "guest: job ended with status $(cat "$run/status")"
else
    echo "guest: cannot mount the shared folder $share or find $run/job"
fi
busybox poweroff -f
