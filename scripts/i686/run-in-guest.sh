#!/usr/bin/env bash
# Boots the emulated PC once to run one job: SHARE is a host folder that the guest sees
# at the same path, RUN a folder inside it holding the script `job`. The job's output
# is shown as it is written; the exit status is the job's. Every write to the guest's
# own disk is thrown away unless QUILLET_GUEST_WRITABLE=1.
# Usage: run-in-guest.sh GUEST SHARE RUN TIMEOUT_SECONDS
set -euo pipefail
guest=$1 share=$(cd "$2" && pwd) run=$(cd "$3" && pwd) limit=$4
case $share$run in
*[[:space:]]*) echo "run-in-guest.sh: the shared path must not hold spaces: $share" >&2; exit 1 ;;
esac
case $run/ in
"$share"/*) ;;
*) echo "run-in-guest.sh: $run is not inside $share" >&2; exit 1 ;;
esac
rm -f "$run/status"
: >"$run/output.log"

# Software emulation: a /dev/kvm offered inside these sandboxed machines was seen to
# hang the guest before its first line, so KVM is only used when asked for
# (QUILLET_GUEST_ACCEL=kvm). With SMAP, this QEMU faults on the return into 32-bit user
# code under software emulation, so SMAP stays off.
accel=(-accel tcg,thread=multi)
[ "${QUILLET_GUEST_ACCEL:-}" = kvm ] && accel=(-accel kvm)
snapshot=on
[ "${QUILLET_GUEST_WRITABLE:-}" = 1 ] && snapshot=off

# A guest that hangs before its own time limit ends is stopped from here.
timeout -k 10 $((limit + 120)) qemu-system-x86_64 "${accel[@]}" -cpu max,-smap -machine q35 -smp 2 -m 4096 \
    -display none -serial "file:$run/console.log" -monitor none -no-reboot -nic none \
    -kernel "$guest/vmlinuz" -initrd "$guest/initrd.img" \
    -append "root=/dev/vda rw console=ttyS0 quiet loglevel=3 panic=-1 init=/sbin/quillet-init quillet.share=$share quillet.run=$run quillet.timeout=$limit" \
    -drive "file=$guest/root.img,format=raw,if=virtio,snapshot=$snapshot" \
    -virtfs "local,path=$share,mount_tag=shared,security_model=none" \
    </dev/null >"$run/qemu.log" 2>&1 &
qemu=$!
# The job's output reaches the host as the guest writes it.
tail -n +1 -F --pid="$qemu" "$run/output.log" 2>/dev/null &
follower=$!
wait "$qemu" || true
wait "$follower" 2>/dev/null || true
grep -h '^guest:' "$run/console.log" 2>/dev/null | sed 's/\r$//' >&2 || true
if [ ! -s "$run/status" ]; then
    echo "run-in-guest.sh: the guest ended without the job's status; its console:" >&2
    tail -n 30 "$run/console.log" "$run/qemu.log" >&2 2>/dev/null || true
    exit 1
fi
exit "$(cat "$run/status")"
