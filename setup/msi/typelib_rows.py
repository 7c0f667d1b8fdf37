"""The registry rows RegisterTypeLib writes for a type library, read from the
compiled type library itself (the MSFT format that widl writes): the TypeLib
key with its path, FLAGS and HELPDIR subkeys, and an Interface key for every
dispinterface (dual interfaces included) and every oleautomation interface."""
import struct
import uuid

TKIND_INTERFACE, TKIND_DISPATCH = 3, 4
TYPEFLAG_FDUAL, TYPEFLAG_FOLEAUTOMATION = 0x40, 0x100
SYSKIND = {0: "win16", 1: "win32", 2: "mac", 3: "win64"}
# The proxies of oleaut32: for interfaces with a vtable (dual ones too) and
# for pure dispinterfaces.
TYPELIB_PROXY = "{00020424-0000-0000-C000-000000000046}"
DISPATCH_PROXY = "{00020420-0000-0000-C000-000000000046}"


class TypeLibrary:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = data = f.read()
        if data[:4] != b"MSFT":
            raise ValueError(f"{path}: not a type library in the MSFT format")
        (_, _, posguid, lcid, _, varflags, version, flags, count, helpstring) = struct.unpack_from("<10i", data, 0)
        offset = 0x54 + (4 if varflags & 0x100 else 0)
        infos = struct.unpack_from(f"<{count}i", data, offset)
        segments = struct.unpack_from("<60i", data, offset + 4 * count)
        seg = lambda n: segments[4 * n]  # noqa: E731
        self.typeinfo_seg, self.guid_seg, self.name_seg, self.string_seg = seg(0), seg(5), seg(7), seg(8)
        self.libid = self.guid(posguid)
        self.lcid = lcid
        self.syskind = SYSKIND[varflags & 0xF]
        self.version = (version & 0xFFFF, version >> 16)
        self.flags = flags
        name_offset = struct.unpack_from("<i", data, 0x38)[0]
        self.name = self.name_at(name_offset)
        self.doc = self.string_at(helpstring) if helpstring >= 0 else None
        self.types = []
        for info in infos:
            base = self.typeinfo_seg + info
            kind = struct.unpack_from("<i", data, base)[0] & 0xF
            tposguid, tflags, tname = struct.unpack_from("<3i", data, base + 0x2C)
            self.types.append((kind, tflags, self.name_at(tname), self.guid(tposguid) if tposguid >= 0 else None))

    def guid(self, offset):
        return "{" + str(uuid.UUID(bytes_le=self.data[self.guid_seg + offset:self.guid_seg + offset + 16])).upper() + "}"

    def name_at(self, offset):
        base = self.name_seg + offset
        length = self.data[base + 8]
        return self.data[base + 12:base + 12 + length].decode("latin-1")

    def string_at(self, offset):
        base = self.string_seg + offset
        length = struct.unpack_from("<H", self.data, base)[0]
        return self.data[base + 2:base + 2 + length].decode("latin-1")

    def key(self):
        return "TypeLib\\%s\\%x.%x" % (self.libid, *self.version)

    def shared_rows(self, helpdir):
        """The TypeLib key's rows that both architectures share: its name,
        FLAGS and HELPDIR. Rows are (key, value name, data)."""
        return [(self.key(), "", self.doc if self.doc is not None else self.name),
                (self.key() + "\\FLAGS", "", "%u" % self.flags),
                (self.key() + "\\HELPDIR", "", helpdir)]

    def path_row(self, path):
        """The row of this architecture's file: <lcid>\\<syskind>."""
        return (self.key() + "\\%x\\%s" % (self.lcid, self.syskind), "", path)

    def interface_rows(self):
        rows = []
        for kind, flags, name, guid in self.types:
            if not (kind == TKIND_DISPATCH or (kind == TKIND_INTERFACE and flags & TYPEFLAG_FOLEAUTOMATION)):
                continue
            key = "Interface\\" + guid
            proxy = TYPELIB_PROXY if kind == TKIND_INTERFACE or flags & TYPEFLAG_FDUAL else DISPATCH_PROXY
            rows += [(key, "", name), (key + "\\ProxyStubClsid", "", proxy), (key + "\\ProxyStubClsid32", "", proxy),
                     (key + "\\TypeLib", "", self.libid), (key + "\\TypeLib", "Version", "%x.%x" % self.version)]
        return rows
