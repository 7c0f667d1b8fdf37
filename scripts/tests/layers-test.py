#!/usr/bin/env python3
"""Checks that the project's folders are layers: every #include of one of the
project's own files, quoted or in angle brackets, comes from the includer's own
layer or from a layer it may use, so the arrows point down only. Prints each
include that breaks the rule and exits 1 if there is one.
    layers-test.py SOURCE_DIR

A quoted include is looked for beside the includer first, as the compiler
does; otherwise, like every angle-bracket include, in the include folders the
CMake files give their targets (target_include_directories). A name found in
several of them counts as the one in the includer's own top-level folder, or
else as every one of them. Files found nowhere in the tree (system and
generated headers) are not judged. Only production folders are judged; tests,
benchmarks, fuzzers, examples and tools may use anything below them."""
import os
import re
import sys

# The top-level folders and those each may use. The driver carries the
# simulated testers, but reaches the simulator only through the VISA library's
# shared session code. Setup.exe shares no code with the driver; only the
# build of the Windows Installer package reads the driver's class table and
# registry scripts.
TOP = {
    "handles": set(),
    "simulator": set(),
    "visa": {"simulator", "handles"},
    "driver": {"visa", "handles"},
    "setup": {"driver"},
}

# Each layer with the layers it may include from (besides itself); a layer of
# another top-level folder needs that arrow in TOP as well.
LAYERS = {
    "handles/include": set(),
    "simulator/include": set(),
    "simulator/src": {"simulator/include"},
    "simulator/server": {"simulator/include"},
    "visa/include": set(),
    "visa/embedded": {"visa/include", "simulator/include"},
    "visa/src": {"visa/include", "visa/embedded", "simulator/include", "handles/include"},
    "driver/com": {"handles/include"},
    "driver/parsers": set(),
    "driver/monitor": set(),
    "driver/session": {"driver/com", "driver/parsers", "visa/include", "visa/embedded", "handles/include"},
    "driver/ui": {"driver/com", "driver/session", "handles/include"},
    "driver/objects": {"driver/com", "driver/parsers", "driver/monitor", "driver/session", "driver/ui",
                       "visa/include", "handles/include"},
    "driver/server": {"driver/com", "driver/objects", "driver/session", "driver/ui", "handles/include"},
    "setup/engine": set(),
    "setup/app": {"setup/engine"},
    "setup/wizard": {"setup/app", "setup/engine"},
    "setup/unattended": {"setup/app", "setup/engine"},
    "setup/program": {"setup/wizard", "setup/unattended", "setup/app", "setup/engine"},
    "setup/msi": {"driver/com", "driver/server"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s+(["<])([^">]+)[">]', re.M)
INCLUDE_DIRS = re.compile(r'target_include_directories\s*\((.*?)\)', re.S)
SOURCES = (".h", ".hpp", ".c", ".cpp", ".rc")


def layer_of(root, path):
    """The longest layer holding path, or None."""
    rel = os.path.relpath(path, root).replace(os.sep, "/")
    best = None
    for layer in LAYERS:
        if (rel + "/").startswith(layer + "/") and (best is None or len(layer) > len(best)):
            best = layer
    return best


def folder_name(root, path):
    rel = os.path.relpath(os.path.dirname(path), root).replace(os.sep, "/")
    return "the top folder" if rel == "." else rel


def cmake_folder(root, cmake_file):
    """CMAKE_CURRENT_SOURCE_DIR of a CMake file: its own folder for a
    CMakeLists.txt, the nearest one with a CMakeLists.txt for an included file."""
    folder = os.path.dirname(cmake_file)
    while not os.path.exists(os.path.join(folder, "CMakeLists.txt")) and folder != root:
        folder = os.path.dirname(folder)
    return folder


def include_folders(root):
    folders = []
    for base, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if d not in ("build", ".git")]
        for name in files:
            if name != "CMakeLists.txt" and not name.endswith(".cmake"):
                continue
            path = os.path.join(base, name)
            current = cmake_folder(root, path)
            with open(path, encoding="utf-8", errors="replace") as f:
                for call in INCLUDE_DIRS.findall(f.read()):
                    for word in call.split()[1:]:
                        if word in ("PUBLIC", "PRIVATE", "INTERFACE", "SYSTEM", "BEFORE", "AFTER"):
                            continue
                        word = (word.replace("${CMAKE_CURRENT_SOURCE_DIR}", current)
                                .replace("${CMAKE_SOURCE_DIR}", root).replace("${PROJECT_SOURCE_DIR}", root))
                        if "$" in word:
                            continue  # a build folder or a generator expression
                        folder = os.path.normpath(os.path.join(current, word))
                        if os.path.isdir(folder) and folder not in folders:
                            folders.append(folder)
    return folders


def resolve(root, folders, includer, kind, name):
    if kind == '"':
        beside = os.path.normpath(os.path.join(os.path.dirname(includer), name))
        if os.path.isfile(beside):
            return [beside]
    found = [os.path.normpath(os.path.join(f, name)) for f in folders]
    found = [p for p in found if os.path.isfile(p)]
    top = os.path.relpath(includer, root).split(os.sep)[0]
    own = [p for p in found if os.path.relpath(p, root).split(os.sep)[0] == top]
    return own[:1] or sorted(set(found))


def allowed(from_layer, to_layer):
    if to_layer == from_layer:
        return True
    if to_layer is None or to_layer not in LAYERS[from_layer]:
        return False
    from_top, to_top = from_layer.split("/")[0], to_layer.split("/")[0]
    return from_top == to_top or to_top in TOP[from_top]


def main():
    root = os.path.abspath(sys.argv[1])
    folders = include_folders(root)
    faults, judged = [], 0
    for layer in LAYERS:
        for base, dirs, files in os.walk(os.path.join(root, layer)):
            dirs[:] = [d for d in dirs if d != "tests"]
            for name in files:
                path = os.path.join(base, name)
                if not name.endswith(SOURCES) or layer_of(root, path) != layer:
                    continue
                with open(path, encoding="utf-8", errors="replace") as f:
                    text = f.read()
                for kind, included in INCLUDE.findall(text):
                    for target in resolve(root, folders, path, kind, included):
                        judged += 1
                        to = layer_of(root, target)
                        if not allowed(layer, to):
                            spelled = f'"{included}"' if kind == '"' else f"<{included}>"
                            faults.append(f"{os.path.relpath(path, root)}: #include {spelled} "
                                          f"reaches {to or folder_name(root, target)}")
    for fault in faults:
        print(fault)
    if not faults:
        print(f"{len(LAYERS)} layers, {judged} includes of the project's own files, every one points down")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
