#!/usr/bin/env python3
"""Checks the include structure of the source tree against the folder table of
README.md. Exits 1 and lists every offence when

  * a file includes a header of a folder above its own in the table (a folder
    may use its own and lower ones; a subfolder such as terrain/model belongs
    to its folder's layer),
  * a file includes test headers (a tests/ folder) of another folder,
  * testsupport/ is included by anything but tests, benchmarks and the demo
    (which lives among its folder's tests), or a test includes a part of
    testsupport/ above its own folder's layer,
  * a folder that must not draw (foundation, app, physics without draw/, every
    */model/ subfolder and game/ship/backend/) includes window or GUI headers
    (SFML graphics or window, CEGUI, OpenGL, X11) or a header of a folder that
    draws, or its CMakeLists.txt links a drawing library.

Usage: check-layering.py [source root]      (default: the parent of tools/)
       check-layering.py --self-test
"""

import os
import re
import sys
import tempfile

SOURCE_SUFFIXES = (".cpp", ".hpp", ".h", ".cc", ".inl")
SKIPPED_DIRS = {".git", "data", "tools", "cmake"}
# README rows that are no layers.
NON_LAYERS = {"bench", "tools", "data", "testsupport"}
# Parts of testsupport/ and the layer they stand on; other parts named after a
# folder (testsupport/engine) stand on that folder.
TESTSUPPORT_LAYERS = {
    "testsupport": "foundation",
    "testsupport/app": "app",
    "testsupport/window": "framework/sfml",
    "testsupport/gui": "framework/cegui",
    "testsupport/physics": "physics",
    "testsupport/engine": "engine",
    "testsupport/terrain": "terrain",
    "testsupport/game": "game/shell",
}
# Folders that draw nothing, and so include only folders that draw nothing.
DRAWING_FREE_FOLDERS = ("foundation", "app", "physics", "game/ship/backend")
DRAWING_FOLDERS_INSIDE_FREE = ("physics/draw",)
DRAWING_HEADERS = re.compile(
    r"^(SFML/(Graphics|Window|OpenGL)|CEGUI/|GL/|GLES|EGL/|X11/|glm/)")
DRAWING_LIBRARIES = re.compile(
    r"\b(sfml-graphics|sfml-window|OpenGL::\w+|PkgConfig::CEGUI\w*|X11::\w+|"
    r"framework_fx|framework_sfml|framework_cegui|physics_draw)\b")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
TABLE_ROW = re.compile(r"^\|\s*`([a-z][a-z0-9_/]*)/?`\s*\|")


def table_rows(root):
    """The folders of the README's table rows, in order."""
    with open(os.path.join(root, "README.md"), encoding="utf-8") as readme:
        return [match.group(1).rstrip("/") for match in map(TABLE_ROW.match, readme) if match]


def read_layers(root):
    """Layer folders of the README table, lowest first."""
    layers = []
    for folder in table_rows(root):
        if folder in NON_LAYERS:
            continue
        # A subfolder row right below its folder's row (physics/draw) belongs
        # to that layer; placed anywhere else (a drawing-free model part
        # below the engine, the program above the menu) it is a layer of
        # its own.
        if layers and folder.startswith(layers[-1] + "/"):
            continue
        layers.append(folder)
    return layers


def folder_of(path, layers):
    """The layer folder a repository path belongs to, or None."""
    best = None
    for folder in layers:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def testsupport_layer(path, layers):
    parts = path.split("/")
    if len(parts) > 2:
        part = "/".join(parts[:2])
        if part in TESTSUPPORT_LAYERS:
            return TESTSUPPORT_LAYERS[part]
        named = folder_of(parts[1], layers)
        return named if named else layers[-1]
    return TESTSUPPORT_LAYERS["testsupport"]


def is_test_code(path):
    return "/tests/" in "/" + path or path.startswith("bench/")


def tests_owner(path):
    """For a path inside a tests/ folder, the folder that owns those tests."""
    head, sep, _ = ("/" + path).partition("/tests/")
    return head.lstrip("/") if sep else None


def is_drawing_free(path):
    if any(path == d or path.startswith(d + "/") for d in DRAWING_FOLDERS_INSIDE_FREE):
        return False
    if "/model/" in "/" + path + "/":
        return True
    return any(path == d or path.startswith(d + "/") for d in DRAWING_FREE_FOLDERS)


def resolve(root, including, target):
    """Repository path of a quoted include, or None for a header outside the tree."""
    local = os.path.normpath(os.path.join(os.path.dirname(including), target))
    if os.path.isfile(os.path.join(root, local)) and not local.startswith(".."):
        return local.replace(os.sep, "/")
    if os.path.isfile(os.path.join(root, target)):
        return os.path.normpath(target).replace(os.sep, "/")
    return None


def source_files(root):
    for directory, subdirs, files in os.walk(root):
        rel = os.path.relpath(directory, root).replace(os.sep, "/")
        subdirs[:] = sorted(d for d in subdirs
                            if d not in SKIPPED_DIRS and not d.startswith("build") and not d.startswith("."))
        if rel == ".":
            rel = ""
        for name in sorted(files):
            path = (rel + "/" + name) if rel else name
            if name.endswith(SOURCE_SUFFIXES) or name == "CMakeLists.txt":
                yield path


def check(root):
    layers = read_layers(root)
    if not layers:
        return ["README.md: no folder table found"]
    rows = table_rows(root)
    problems = [f"README.md: `{folder}/` has more than one row in the folder table"
                for i, folder in enumerate(rows) if folder in rows[:i]]
    rank = {folder: i for i, folder in enumerate(layers)}
    for path in source_files(root):
        own = "testsupport" if path.startswith("testsupport/") else folder_of(path, layers)
        in_bench = path.startswith("bench/")
        if own is None and not in_bench:
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
            lines = source.read().splitlines()
        if path.endswith("CMakeLists.txt"):
            if is_drawing_free(path):
                for number, line in enumerate(lines, 1):
                    code = line.split("#", 1)[0]
                    found = DRAWING_LIBRARIES.search(code)
                    if found:
                        problems.append(f"{path}:{number}: links {found.group(1)}, but this folder must not draw")
            continue
        if own == "testsupport":
            own_layer = testsupport_layer(path, layers)
        elif in_bench:
            own_layer = layers[-1]
        else:
            own_layer = own
        test_code = is_test_code(path)
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, target = match.groups()
            where = f"{path}:{number}: "
            if kind == "<":
                if is_drawing_free(path) and not test_code and DRAWING_HEADERS.match(target):
                    problems.append(where + f"<{target}> is a window or GUI header, but this folder must not draw")
                continue
            resolved = resolve(root, path, target)
            if resolved is None:
                continue
            if resolved.startswith("testsupport/"):
                if own != "testsupport" and not test_code:
                    problems.append(where + f'"{target}": test support is for tests, benchmarks and the demo only')
                    continue
                needed = testsupport_layer(resolved, layers)
                if needed in rank and own_layer in rank and rank[needed] > rank[own_layer]:
                    problems.append(where + f'"{target}" stands on {needed}/, above {own_layer}/')
                continue
            owner = tests_owner(resolved)
            if owner is not None and not (path == owner or path.startswith(owner + "/")):
                problems.append(where + f'"{target}" is a test header of {owner}/; shared test code goes to testsupport/')
                continue
            other = folder_of(resolved, layers)
            if other is None:
                continue
            if rank[other] > rank[own_layer]:
                problems.append(where + f'"{target}" points up from {own_layer}/ to {other}/')
            if is_drawing_free(path) and not test_code and not is_drawing_free(resolved):
                problems.append(where + f'"{target}" is in a folder that draws, but this folder must not draw')
    return problems


def self_test():
    """Runs the check on a small tree with one offence of each kind."""
    files = {
        "README.md": "| folder | x |\n|---|---|\n| `foundation/` | a |\n| `app/` | b |\n"
                     "| `framework/sfml/` | c |\n| `terrain/` | d |\n| `terrain/model/` | e |\n"
                     "| `testsupport/` | f |\n| `terrain/model/` | again |\n",
        "foundation/A.hpp": '#include "app/B.hpp"\n',
        "app/B.hpp": '#include "foundation/A.hpp"\n#include "terrain/tests/Helper.hpp"\n',
        "app/C.cpp": '#include "testsupport/TempFolder.hpp"\n',
        "app/tests/BTest.cpp": '#include "testsupport/window/Pump.hpp"\n#include "../B.hpp"\n',
        "framework/sfml/W.cpp": '#include <SFML/Graphics.hpp>\n#include "app/B.hpp"\n',
        "terrain/tests/Helper.hpp": '#include "terrain/model/Map.hpp"\n',
        "terrain/Draw.hpp": '#include "framework/sfml/W.hpp"\n',
        "framework/sfml/W.hpp": "",
        "terrain/model/Map.hpp": '#include <CEGUI/CEGUI.h>\n#include "terrain/Draw.hpp"\n#include <vector>\n',
        "terrain/model/CMakeLists.txt": "velk_library(terrain_model PUBLIC foundation sfml-graphics)\n",
        "testsupport/TempFolder.hpp": "",
        "testsupport/window/Pump.hpp": '#include "framework/sfml/W.hpp"\n',
    }
    expected = [
        "README.md: `terrain/model/` has more than one row",
        'foundation/A.hpp:1: "app/B.hpp" points up',
        'app/B.hpp:2: "terrain/tests/Helper.hpp" is a test header of terrain/',
        'app/C.cpp:1: "testsupport/TempFolder.hpp": test support is for tests',
        'app/tests/BTest.cpp:1: "testsupport/window/Pump.hpp" stands on framework/sfml/, above app/',
        "terrain/model/Map.hpp:1: <CEGUI/CEGUI.h> is a window or GUI header",
        'terrain/model/Map.hpp:2: "terrain/Draw.hpp" is in a folder that draws',
        "terrain/model/CMakeLists.txt:1: links sfml-graphics",
    ]
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
            with open(os.path.join(root, name), "w", encoding="utf-8") as out:
                out.write(text)
        problems = check(root)
    missing = [e for e in expected if not any(p.startswith(e) for p in problems)]
    unexpected = [p for p in problems if not any(p.startswith(e) for e in expected)]
    for line in missing:
        print("self-test: not reported: " + line)
    for line in unexpected:
        print("self-test: reported wrongly: " + line)
    return 1 if missing or unexpected else 0


def main(argv):
    if len(argv) > 1 and argv[1] == "--self-test":
        return self_test()
    root = argv[1] if len(argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    problems = check(root)
    for line in problems:
        print(line)
    if problems:
        print(f"check-layering: {len(problems)} problem(s)")
        return 1
    print("check-layering: includes follow the folder table")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
