"""Holds the functions an executable imports against the reviewed list of those it may import,
each with the first Windows version that has it. A function missing from the list, or newer than
the oldest system the program runs on, fails with its name.

Usage: import_table.py EXE LIST"""
import sys

from pe_file import PeFile

# Versions in the list, oldest first.
VERSIONS = ['2000', 'XP', 'XP SP1', 'XP SP2', 'XP SP3', 'Vista', '7', '8', '8.1', '10']
OLDEST_SUPPORTED = 'XP SP3'


def read_list(path):
    allowed = {}
    for number, line in enumerate(open(path, encoding='utf-8'), 1):
        line = line.split('#', 1)[0].strip()
        if not line:
            continue
        dll, function, version = line.split(None, 2)
        if version not in VERSIONS:
            raise ValueError(f'{path}:{number}: unknown version "{version}"')
        allowed[(dll.lower(), function)] = version
    return allowed


def main(exe, list_path):
    allowed = read_list(list_path)
    failures = []
    for dll, function in sorted(set(PeFile(exe).imports())):
        version = allowed.get((dll.lower(), function))
        if version is None:
            failures.append(f'{dll} {function}: not in the reviewed list')
        elif VERSIONS.index(version) > VERSIONS.index(OLDEST_SUPPORTED):
            failures.append(f'{dll} {function}: needs Windows {version}')
    for failure in failures:
        print(f'failed: {failure}')
    if not failures:
        print(f'every import of {exe} is in the list and present from Windows {OLDEST_SUPPORTED} on')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
