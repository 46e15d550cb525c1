"""The shipped executable is one file Windows XP loads: subsystem and system version at most 5.1,
no debug sections, at most 3 MB.

Usage: product_header.py EXE"""
import os
import sys

from pe_file import PeFile

MAX_BYTES = 3 * 1024 * 1024


def main(exe):
    pe = PeFile(exe)
    failures = []
    for what, version in (('subsystem', pe.subsystem_version), ('operating-system', pe.os_version)):
        if version > (5, 1):
            failures.append(f'{what} version {version[0]}.{version[1]} is newer than XP\'s 5.1')
    debug = [name for name, _, _, _ in pe.sections if name.startswith(('.debug', '.zdebug'))]
    if debug:
        failures.append(f'debug sections: {" ".join(debug)}')
    size = os.path.getsize(exe)
    if size > MAX_BYTES:
        failures.append(f'{size} bytes, more than {MAX_BYTES}')
    for failure in failures:
        print(f'failed: {failure}')
    if not failures:
        print(f'{exe}: {size} bytes, subsystem {pe.subsystem_version}, no debug sections')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
