#!/usr/bin/env python3
"""Makes a Windows Installer package of the driver from the laid-out driver
package(s), with wixl.

    make-msi.py --arch x86|x64 --version 1.54.0.1 --rows ROWS
                --package32 DIR [--package64 DIR] --out FILE.msi

x86: the 32-bit driver. x64: both drivers, each in the shared folder of its
own view (Common Files and Common Files (x86)), each with its registry rows in
its own view. The files are those of the laid-out package (the zip's folder):
what SETUP.LST installs into the shared folder, and the Examples and SDK
folders, which go to Program Files\\Orvanta\\<product>. Setup.exe and SETUP.LST
are the other way in and stay out.

Registration is rows, not code: ROWS (from registry-rows, made of the class
table that DllRegisterServer runs) gives the class keys, and each driver's
type library gives the TypeLib and Interface keys as RegisterTypeLib writes
them. The caller freezes the clock (SOURCE_DATE_EPOCH); the package code is
made from the package's inputs, so the same inputs give the same bytes."""
import argparse
import configparser
import hashlib
import os
import re
import subprocess
import sys
import uuid
from xml.sax.saxutils import quoteattr

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from typelib_rows import TypeLibrary  # noqa: E402

# One product family per package, for ever: MajorUpgrade finds the earlier
# versions by it.
UPGRADE_CODES = {"x86": "{4C1C2B6E-8F0D-4E55-9C51-2F7B7C0E4A10}", "x64": "{4C1C2B6E-8F0D-4E55-9C51-2F7B7C0E4A64}"}
# Component and product codes are name-based (UUID version 5) in this space,
# so a component keeps its code from version to version and from one package
# to the other: the 32-bit driver's components are the same in both, and
# Windows Installer counts their references.
NAMESPACE = uuid.UUID("8E0C1B7A-3D52-4F2B-9A61-5C4D0E7F2B93")
HKCR = "0"
ZIP_FOLDERS = ("Examples", "SDK")
OTHER_WAY_IN = ("SETUP.EXE", "SETUP.LST")


def fail(message):
    print(f"make-msi: {message}", file=sys.stderr)
    sys.exit(1)


def product_version(version):
    """Windows Installer compares major.minor.build only (255.255.65535) and
    ignores a fourth field. The project's major.minor.patch.build becomes
    major.minor.(patch * 1000 + build): 1.54.0.1 -> 1.54.1, 1.54.2.7 -> 1.54.2007."""
    fields = version.split(".")
    if len(fields) != 4 or not all(f.isdigit() for f in fields):
        fail(f"version {version!r} is not major.minor.patch.build")
    major, minor, patch, build = map(int, fields)
    third = patch * 1000 + build
    if major > 255 or minor > 255 or build > 999 or third > 65535:
        fail(f"version {version} does not fit a ProductVersion (major, minor <= 255, build <= 999, patch * 1000 + build <= 65535)")
    return f"{major}.{minor}.{third}"


def guid(*names):
    return "{" + str(uuid.uuid5(NAMESPACE, "/".join(names))).upper() + "}"


def read_list(package):
    """The header and the shared folder's files of the package's SETUP.LST."""
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str.lower
    with open(os.path.join(package, "SETUP.LST"), encoding="latin-1") as f:
        parser.read_file(f)
    head = parser["SetupHead"]
    files = []
    for n in range(1, 17):
        value = parser["SetupList"].get(f"file{n:02d}", "")
        if not value:
            break
        fields = [f.strip().upper() for f in value.split(",") if f.strip()]
        if len(fields) < 3 or fields[1] != "SHARED":
            fail(f"SETUP.LST File{n:02d}: only files for the shared folder can go into the package ({value})")
        files.append((fields[0], "REGISTER" in fields[2]))
    return head["Vendor"], head["Product"], head.get("HelpFile", ""), files


def registry_rows(path):
    """Rows (key, name, value) of the class table; key-only rows carry the
    Windows Installer names + (create) and * (create, remove whole)."""
    rows = []
    with open(path, encoding="ascii") as f:
        for line in f:
            kind, *fields = line.rstrip("\n").split("\t")
            if kind == "owned":
                rows.append((fields[0], "*", None))
            elif kind == "key":
                rows.append((fields[0], "+", None))
            elif kind == "value":
                key, name, value = fields
                rows.append((key, name, value))
            else:
                fail(f"{path}: a row of unknown kind {kind!r}")
    if not rows:
        fail(f"{path}: no rows")
    return rows


def escape_formatted(text):
    """Literal text in a formatted field: square brackets are its syntax
    (braces around a GUID stay as they are)."""
    return re.sub(r"([\[\]])", r"[\\\1]", text)


class Writer:
    def __init__(self, arch, base):
        self.arch = arch
        self.base = base  # wixl takes a file's path relative to the source's folder
        self.lines = []
        self.components = []
        self.ids = set()

    def ident(self, prefix, *names):
        text = prefix + "_" + hashlib.sha1("/".join(names).encode()).hexdigest()[:16].upper()
        assert text not in self.ids, text
        self.ids.add(text)
        return text

    def out(self, depth, text):
        self.lines.append("  " * depth + text)

    def component(self, depth, view, path, source, file_name, rows=()):
        """One file, its component (keyed by the file), and registry rows."""
        component = self.ident("C", view, path)
        file_id = self.ident("F", view, path)
        win64 = ' Win64="yes"' if view == "64" else ""
        self.out(depth, f'<Component Id="{component}" Guid="{guid("component", view, path)}"{win64}>')
        source = os.path.relpath(source, self.base)
        self.out(depth + 1, f'<File Id="{file_id}" Name={quoteattr(file_name)} Source={quoteattr(source)} KeyPath="yes"/>')
        for key, name, value in rows(file_id) if callable(rows) else rows:
            name_attr = f" Name={quoteattr(name)}" if name else ""
            value = "" if value is None else value
            self.out(depth + 1, f'<RegistryValue Root="HKCR" Key={quoteattr(key)}{name_attr} Type="string" '
                                f'Value={quoteattr(value)}/>')
        self.out(depth, "</Component>")
        self.components.append(component)
        return file_id


def literal_rows(rows):
    return [(escape_formatted(k), n, None if v is None else escape_formatted(v)) for k, n, v in rows]


def main():
    args = argparse.ArgumentParser()
    args.add_argument("--arch", choices=("x86", "x64"), required=True)
    args.add_argument("--version", required=True)
    args.add_argument("--rows", required=True)
    args.add_argument("--package32", required=True)
    args.add_argument("--package64")
    args.add_argument("--out", required=True)
    args.add_argument("--wxs", help="the WiX source written (default: beside --out)")
    args.add_argument("--wixl", default="wixl")
    args.add_argument("--msibuild", default="msibuild")
    a = args.parse_args()
    if (a.arch == "x64") != bool(a.package64):
        fail("--package64 is needed for x64, and only there")

    vendor, product, help_file, shared_files = read_list(a.package32)
    version = product_version(a.version)
    # The drivers, each with its view, its shared folder and its package.
    drivers = [("32", "CommonFilesFolder", a.package32)]
    if a.arch == "x64":
        if read_list(a.package64)[3] != shared_files:
            fail("the two packages' SETUP.LST name different files")
        drivers.insert(0, ("64", "CommonFiles64Folder", a.package64))
    main_package = drivers[0][2]
    for _, _, package in drivers:
        extra = sorted(set(n.upper() for n in os.listdir(package)) - {f for f, _ in shared_files}
                       - {f.upper() for f in ZIP_FOLDERS} - set(OTHER_WAY_IN))
        if extra:
            fail(f"{package} holds files the package would leave out: {', '.join(extra)}")
    registered = [f for f, reg in shared_files if reg]
    if len(registered) != 1:
        fail("SETUP.LST must mark exactly one file, the driver, for registration")
    driver_file = registered[0]
    typelib_file = next((f for f, _ in shared_files if f.endswith(".TLB")), None)
    if not typelib_file:
        fail("SETUP.LST names no type library")

    out = os.path.abspath(a.out)
    wxs = os.path.abspath(a.wxs) if a.wxs else (out[:-4] if out.endswith(".msi") else out) + ".wxs"
    w = Writer(a.arch, os.path.dirname(wxs))
    w.out(0, '<?xml version="1.0" encoding="utf-8"?>')
    w.out(0, '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">')
    w.out(1, f'<Product Id="{guid("product", a.arch, a.version)}" Name={quoteattr(product)} Language="1033" '
             f'Version="{version}" Manufacturer={quoteattr(vendor)} UpgradeCode="{UPGRADE_CODES[a.arch]}">')
    bits = "32- and 64-bit" if a.arch == "x64" else "32-bit"
    w.out(2, f'<Package InstallerVersion="500" Compressed="yes" InstallScope="perMachine" '
             f'Description={quoteattr(f"{product} {a.version} ({bits})")} '
             f'Comments={quoteattr(f"The {bits} ZEW4400 driver, version {a.version}")}/>')
    w.out(2, '<Media Id="1" Cabinet="zew4400.cab" EmbedCab="yes"/>')
    w.out(2, f'<MajorUpgrade DowngradeErrorMessage={quoteattr(f"A newer version of {product} is installed.")}/>')
    w.out(2, f'<Property Id="ARPCOMMENTS" Value={quoteattr(f"Driver version {a.version}")}/>')
    w.out(2, '<Property Id="ARPNOMODIFY" Value="1"/>')
    w.out(1, "")
    w.out(2, '<Directory Id="TARGETDIR" Name="SourceDir">')
    typelib_rows = []  # per driver: its type library, its shared folder, its file's id
    help_id = None
    for view, folder, package in drivers:
        library = TypeLibrary(os.path.join(package, typelib_file))
        shared_dir = "SHARED" + view
        typelib_rows.append((library, shared_dir, view))
        w.out(3, f'<Directory Id="{folder}">')
        w.out(4, f'<Directory Id="{shared_dir}" Name={quoteattr(vendor + " Shared")}>')
        for name, _ in shared_files:
            path = f"{folder}/{name}"
            if name == driver_file:
                def rows(file_id, library=library):
                    result = [(k, n, v and v.replace("%MODULE%", f"[#{file_id}]"))
                              for k, n, v in literal_rows(registry_rows(a.rows))]
                    return result + literal_rows(library.interface_rows())
                driver_id = w.component(5, view, path, os.path.join(package, name), name, rows)
                typelib_rows[-1] = (library, shared_dir, driver_id)
            else:
                file_id = w.component(5, view, path, os.path.join(package, name), name)
                if name == help_file.upper() and help_id is None:
                    help_id = file_id
        w.out(4, "</Directory>")
        w.out(3, "</Directory>")
    # The TypeLib key is not split by view: one component of the native view
    # writes its name, FLAGS, HELPDIR (the native driver's folder) and every
    # driver's path subkey.
    (native_library, native_dir, _), *_ = typelib_rows
    shared = [(escape_formatted(k), n, v if k.endswith("\\HELPDIR") else escape_formatted(v))
              for k, n, v in native_library.shared_rows(f"[{native_dir}]")]
    for library, _, driver_id in typelib_rows:
        if library.libid != native_library.libid or library.version != native_library.version:
            fail("the drivers' type libraries differ in LIBID or version")
        key, name, _ = library.path_row("")
        shared.append((escape_formatted(key), name, f"[#{driver_id}]"))
    program_files = "ProgramFiles64Folder" if a.arch == "x64" else "ProgramFilesFolder"
    w.out(3, f'<Directory Id="{program_files}">')
    w.out(4, f'<Directory Id="MAKERFOLDER" Name={quoteattr(vendor)}>')
    view = drivers[0][0]
    win64 = ' Win64="yes"' if view == "64" else ""
    # The maker's folder goes with the last of its products: Windows Installer
    # removes only the folders of components.
    maker_component = w.ident("C", "maker folder")
    w.out(5, f'<Component Id="{maker_component}" Guid="{guid("component", view, "maker folder")}"{win64}>')
    w.out(6, '<CreateFolder/>')
    w.out(6, f'<RemoveFolder Id="{w.ident("R", "maker folder")}" On="uninstall"/>')
    w.out(5, "</Component>")
    w.components.append(maker_component)
    w.out(5, f'<Directory Id="PRODUCTFOLDER" Name={quoteattr(product)}>')

    def tree(depth, source, relative):
        for name in sorted(os.listdir(source)):
            path = os.path.join(source, name)
            rel = f"{relative}/{name}"
            if os.path.isdir(path):
                w.out(depth, f'<Directory Id="{w.ident("D", rel)}" Name={quoteattr(name)}>')
                tree(depth + 1, path, rel)
                w.out(depth, "</Directory>")
            else:
                w.component(depth, view, f"{program_files}/{rel}", path, name)

    for folder in ZIP_FOLDERS:
        source = os.path.join(main_package, folder)
        if not os.path.isdir(source):
            fail(f"{main_package} has no {folder} folder")
        w.out(6, f'<Directory Id="{w.ident("D", folder)}" Name="{folder}">')
        tree(7, source, folder)
        w.out(6, "</Directory>")
    # The TypeLib key's component: a key path of its own (the version key's
    # default value), in the native view; it removes the product's folder.
    typelib_component = w.ident("C", "typelib")
    w.out(6, f'<Component Id="{typelib_component}" Guid="{guid("component", view, "typelib")}"{win64}>')
    w.out(7, f'<RemoveFolder Id="{w.ident("R", "product folder")}" On="uninstall"/>')
    for index, (key, name, value) in enumerate(shared):
        name_attr = f" Name={quoteattr(name)}" if name else ""
        key_path = ' KeyPath="yes"' if index == 0 else ""
        w.out(7, f'<RegistryValue Root="HKCR" Key={quoteattr(key)}{name_attr} Type="string" '
                 f'Value={quoteattr(value)}{key_path}/>')
    w.out(6, "</Component>")
    w.components.append(typelib_component)
    w.out(5, "</Directory>")
    w.out(4, "</Directory>")
    w.out(3, "</Directory>")
    w.out(2, "</Directory>")
    w.out(1, "")
    if help_id:
        # The entry among the installed programs names the help file, where
        # it was installed (known once the folders are resolved).
        w.out(2, f'<CustomAction Id="SetHelpLink" Property="ARPHELPLINK" Value="[#{help_id}]" Execute="immediate"/>')
        w.out(2, '<InstallExecuteSequence><Custom Action="SetHelpLink" Sequence="1001"/></InstallExecuteSequence>')
    w.out(2, f'<Feature Id="Driver" Title={quoteattr(product)} Level="1">')
    for component in w.components:
        w.out(3, f'<ComponentRef Id="{component}"/>')
    w.out(2, "</Feature>")
    w.out(1, "</Product>")
    w.out(0, "</Wix>")
    text = "\n".join(w.lines) + "\n"
    with open(wxs, "w", encoding="utf-8") as f:
        f.write(text)

    # The package code names these exact contents: the source text with
    # every file it takes in in place of the file's path.
    def content(match):
        path = match.group(1).replace("&amp;", "&").replace("&quot;", '"').replace("&apos;", "'")
        with open(os.path.join(os.path.dirname(wxs), path), "rb") as f:
            return 'Source="' + hashlib.sha256(f.read()).hexdigest() + '"'
    digest = hashlib.sha256(re.sub(r'Source="([^"]+)"', content, text).encode())
    package_code = "{" + str(uuid.UUID(bytes=digest.digest()[:16], version=4)).upper() + "}"
    if os.path.exists(out):
        os.remove(out)
    subprocess.run([a.wixl, "-a", a.arch, "-o", out, wxs], check=True, cwd=os.path.dirname(wxs))
    subprocess.run([a.msibuild, out, "-s", f"{product} {a.version}", vendor,
                    f"{'x64' if a.arch == 'x64' else 'Intel'};1033", package_code], check=True)


if __name__ == "__main__":
    main()
