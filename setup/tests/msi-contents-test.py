#!/usr/bin/env python3
"""The Windows Installer package as built, without installing it: its
version, upgrade and entry properties, its files against the laid-out
package, its drivers and the type library's path for each, and the same
bytes from the same inputs wherever they lie.
    msi-contents-test.py win32|win64 MSI ROWS PACKAGE32 [PACKAGE64]
Like every test of its preset it is skipped (77) where the preset's programs
cannot run, though it runs none."""
import contextlib
import importlib.util
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
msi_dir = os.path.join(here, "..", "msi")
spec = importlib.util.spec_from_file_location("make_msi", os.path.join(msi_dir, "make-msi.py"))
make_msi = importlib.util.module_from_spec(spec)
spec.loader.exec_module(make_msi)

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def table(msi, name):
    text = subprocess.run(["msiinfo", "export", msi, name], check=True, capture_output=True, text=True).stdout
    lines = text.split("\r\n") if "\r\n" in text else text.split("\n")
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:] if line]


def unsupported(arch):
    wine_arch = os.path.join(here, "..", "..", "scripts", "wine-arch.sh")
    return subprocess.run(["bash", "-c", f'source "{wine_arch}" && zew_wine_unsupported {arch}']).returncode == 0


def main():
    preset_arch = sys.argv[1]
    if unsupported(preset_arch):
        print(f"msi-contents-test: {preset_arch}: not run: this machine cannot run 32-bit programs")
        sys.exit(77)
    msi, rows_file, package32 = sys.argv[2:5]
    package64 = sys.argv[5] if len(sys.argv) > 5 else None
    arch = "x64" if package64 else "x86"
    version = re.match(r"Zew4400-([0-9.]+)-(x86|x64)\.msi$", os.path.basename(msi))
    check(version and version.group(2) == arch, f"{msi}: not named Zew4400-<version>-{arch}.msi")
    version = version.group(1)

    # The four-field version in the three fields Windows Installer compares:
    # builds of one release stay apart, and what does not fit is refused.
    check(make_msi.product_version("1.54.0.2") != make_msi.product_version("1.54.0.1"),
          "two builds of one release map to one ProductVersion")
    for bad in ("1.54.0.1000", "1.256.0.0", "1.54.66.0", "1.54.0"):
        try:
            with contextlib.redirect_stderr(io.StringIO()):
                make_msi.product_version(bad)
            failures.append(f"the version {bad} was taken")
        except SystemExit:
            pass

    props = {r["Property"]: r["Value"] for r in table(msi, "Property")}
    check(props.get("ProductVersion") == make_msi.product_version(version),
          f"ProductVersion {props.get('ProductVersion')} for version {version}")
    check(props.get("UpgradeCode") == make_msi.UPGRADE_CODES[arch], "the UpgradeCode is not the package's own")
    check(props.get("Manufacturer") == "Orvanta" and props.get("ProductName") == "ZEW4400 Driver",
          f"publisher and name: {props.get('Manufacturer')}, {props.get('ProductName')}")
    check(props.get("ALLUSERS") == "1", "the package does not install per machine")
    upgrade = table(msi, "Upgrade")
    check(any(r["UpgradeCode"] == make_msi.UPGRADE_CODES[arch] and r["VersionMax"] == props.get("ProductVersion")
              for r in upgrade), "no major upgrade of the earlier versions")
    check(not any(r.get("Condition", "").upper().find("VISA") >= 0 for r in table(msi, "LaunchCondition")),
          "a launch condition asks for VISA")

    # The files: the shared folder's files of SETUP.LST per driver, and the
    # Examples and SDK folders, nothing else.
    files = table(msi, "File")
    names = sorted(r["FileName"].split("|")[-1] for r in files)
    expected = []
    for package in [p for p in (package32, package64) if p]:
        expected += [n for n, _ in make_msi.read_list(package)[3]]
    main_package = package64 or package32
    for folder in make_msi.ZIP_FOLDERS:
        for base, _, entries in os.walk(os.path.join(main_package, folder)):
            expected += entries
    check(names == sorted(expected), f"the package's files {names} are not {sorted(expected)}")
    check("SETUP.EXE" not in [n.upper() for n in names], "Setup.exe is in the package")

    # Registry: the rows themselves are compared with regsvr32's by the install
    # tests; here, one driver a bitness, and the type library's path for each.
    registry = table(msi, "Registry")
    drivers = [r for r in files if r["FileName"].split("|")[-1] == "ZEW4400.OCX"]
    check(len(drivers) == (2 if package64 else 1), f"{len(drivers)} drivers in the package")
    typelib = [r for r in registry if r["Key"].startswith("TypeLib\\")]
    paths = sorted(r["Key"].rsplit("\\", 1)[-1] for r in typelib if re.search(r"\\409\\win(32|64)$", r["Key"]))
    check(paths == (["win32", "win64"] if package64 else ["win32"]), f"the type library's paths: {paths}")
    check(len({r["Component_"] for r in typelib}) == 1, "the TypeLib key is written by more than one component")

    # The same inputs give the same bytes, wherever they lie: twice from
    # copies in two places, on a clock frozen at one moment.
    if shutil.which("faketime"):
        made = []
        for n in (1, 2):
            top = tempfile.mkdtemp(prefix=f"msi-contents-{n}-")
            try:
                args = []
                for option, package in (("--package32", package32), ("--package64", package64)):
                    if package:
                        copy = os.path.join(top, option[2:], "Zew4400")
                        shutil.copytree(package, copy)
                        args += [option, copy]
                shutil.copy(rows_file, os.path.join(top, "rows.tsv"))
                out = os.path.join(top, f"Zew4400-{version}-{arch}.msi")
                subprocess.run(["faketime", "-f", "2026-01-02 03:04:05", sys.executable,
                                os.path.join(msi_dir, "make-msi.py"), "--arch", arch, "--version", version,
                                "--rows", os.path.join(top, "rows.tsv"), "--out", out, *args],
                               check=True, stdout=subprocess.DEVNULL, env=dict(os.environ, TZ="UTC"))
                with open(out, "rb") as f:
                    made.append(f.read())
            finally:
                shutil.rmtree(top)
        check(made[0] == made[1], "two packages from the same inputs differ")

    for failure in failures:
        print(f"msi-contents-test: {failure}")
    if failures:
        sys.exit(1)
    print(f"msi-contents-test: {os.path.basename(msi)}: ProductVersion {props['ProductVersion']}, "
          f"{len(files)} files, {len(registry)} registry rows, {os.path.getsize(msi)} bytes; passed")


if __name__ == "__main__":
    main()
