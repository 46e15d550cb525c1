"""Reads what the product checks need from a 32-bit PE file: header versions, sections and the
functions it imports, at load time and delay-loaded."""
import struct


class PeFile:
    def __init__(self, path):
        with open(path, 'rb') as f:
            self.data = f.read()
        if self.data[:2] != b'MZ':
            raise ValueError(f'{path}: no MZ header')
        pe = struct.unpack_from('<I', self.data, 0x3C)[0]
        if self.data[pe:pe + 4] != b'PE\0\0':
            raise ValueError(f'{path}: no PE signature')
        _, sections, _, symbols_at, symbols, optional_size, _ = struct.unpack_from('<HHIIIHH', self.data, pe + 4)
        # Names longer than eight characters are "/offset" into the string table after the symbols.
        strings_at = symbols_at + 18 * symbols
        self.optional = pe + 24
        if struct.unpack_from('<H', self.data, self.optional)[0] != 0x10B:
            raise ValueError(f'{path}: not a 32-bit image')
        (self.os_version, self.subsystem_version) = (
            struct.unpack_from('<HH', self.data, self.optional + 40),
            struct.unpack_from('<HH', self.data, self.optional + 48))
        table = self.optional + optional_size
        self.sections = []
        for i in range(sections):
            name, vsize, rva, raw_size, raw = struct.unpack_from('<8sIIII', self.data, table + 40 * i)
            name = name.rstrip(b'\0').decode('latin-1')
            if name.startswith('/') and name[1:].isdigit() and symbols_at:
                at = strings_at + int(name[1:])
                name = self.data[at:self.data.index(b'\0', at)].decode('latin-1')
            self.sections.append((name, rva, max(vsize, raw_size), raw))

    def directory(self, index):
        return struct.unpack_from('<II', self.data, self.optional + 96 + 8 * index)

    def offset(self, rva):
        for _, start, size, raw in self.sections:
            if start <= rva < start + size:
                return rva - start + raw
        raise ValueError(f'RVA {rva:#x} lies in no section')

    def text(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b'\0', at)].decode('latin-1')

    def names(self, table_rva):
        names = []
        at = self.offset(table_rva)
        while True:
            thunk = struct.unpack_from('<I', self.data, at)[0]
            if thunk == 0:
                return names
            names.append(f'#{thunk & 0xFFFF}' if thunk & 0x80000000 else self.text(thunk + 2))
            at += 4

    def imports(self):
        """(dll, function) pairs; an ordinal import is named '#n'."""
        found = []
        rva, size = self.directory(1)
        if rva:
            at = self.offset(rva)
            while True:
                lookup, _, _, name, address = struct.unpack_from('<IIIII', self.data, at)
                if name == 0:
                    break
                found += [(self.text(name), f) for f in self.names(lookup or address)]
                at += 20
        rva, size = self.directory(13)
        if rva:
            at = self.offset(rva)
            while True:
                fields = struct.unpack_from('<8I', self.data, at)
                if fields[1] == 0:
                    break
                found += [(self.text(fields[1]), f) for f in self.names(fields[4])]
                at += 32
        return found
