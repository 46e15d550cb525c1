#!/usr/bin/env bash
# Runs a command with the firmware identity of a real machine's SMBIOS dump, for runs under Wine
# on a host that offers none. Wine builds the table that Windows programs get (and so WMI's
# board, BIOS and system classes) from the text files in /sys/class/dmi/id; this script gives the
# command a mount namespace of its own in which those files hold the dump's strings, read with
# dmidecode. Nothing outside the namespace changes. Needs root (or unprivileged user namespaces).
#   fixture_dmi.sh DUMP COMMAND [ARGS...]
# DUMP is a dmidecode dump such as tests/fixtures/smbios/uroot__MSI-MS-7816.bin.
set -euo pipefail
if [ "${1:-}" != --inside ]; then
  [ $# -ge 2 ] || { echo "usage: fixture_dmi.sh DUMP COMMAND [ARGS...]" >&2; exit 2; }
  dump=$(readlink -f "$1"); shift
  [ -f "$dump" ] || { echo "no such dump: $dump" >&2; exit 2; }
  exec unshare --mount --propagation private bash "$0" --inside "$dump" "$@"
fi
shift
dump=$1; shift
# The namespace's own files live on a memory file system that goes with it.
work=$(mktemp -d)
mount -t tmpfs tmpfs "$work"
# Keep the real classes reachable, then lay a folder of links to them over /sys/class with the
# dump's dmi/id beside them.
mkdir "$work/real" "$work/class"
mount --bind /sys/class "$work/real"
for entry in "$work/real"/*; do ln -s "$entry" "$work/class/$(basename "$entry")"; done
mkdir -p "$work/class/dmi/id"
field() { dmidecode --from-dump "$dump" -s "$1" 2>/dev/null | head -1; }
declare -A files=(
  [bios_vendor]=bios-vendor [bios_version]=bios-version [bios_date]=bios-release-date
  [sys_vendor]=system-manufacturer [product_name]=system-product-name [product_version]=system-version
  [product_serial]=system-serial-number [product_family]=system-family [product_sku]=system-sku-number
  [board_vendor]=baseboard-manufacturer [board_name]=baseboard-product-name [board_version]=baseboard-version
  [board_serial]=baseboard-serial-number [board_asset_tag]=baseboard-asset-tag
  [chassis_vendor]=chassis-manufacturer [chassis_version]=chassis-version [chassis_serial]=chassis-serial-number
  [chassis_tag]=chassis-asset-tag)
for file in "${!files[@]}"; do field "${files[$file]}" > "$work/class/dmi/id/$file"; done
# The chassis type as the kernel gives it: the SMBIOS number, not dmidecode's text.
chassis=$(dmidecode --from-dump "$dump" -t 3 -u 2>/dev/null | awk '/Header and Data:/ { getline; print $6; exit }')
echo $((0x${chassis:-02} & 0x7F)) > "$work/class/dmi/id/chassis_type"
mount --bind "$work/class" /sys/class
status=0
"$@" || status=$?
umount /sys/class "$work/real" "$work" && rmdir "$work"
exit $status
