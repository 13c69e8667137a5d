#!/usr/bin/env python3
"""Checks that includes follow the game's layering.

Three rules, each reported as FILE:LINE: message:
  - third-party headers stay in the one subsystem that wraps them: SDL in
    src/platform/, OpenGL (epoxy), glTF (tinygltf), Embree and libpng in
    src/engine/ (and in the tests of that subsystem);
  - an include of one of our own headers in src/ points down the layer
    order below, never up or sideways;
  - the libraries in src/*/CMakeLists.txt agree with the table: every
    library is in it, builds only files the table gives it, and links only
    libraries below it.

Usage: check_layering.py [ROOT]   (ROOT defaults to the repository root)
"""

import pathlib
import re
import sys

# The layer order of src/, one row per library, lowest first. A file belongs
# to the row whose path prefix (under src/, without the extension) is the
# longest that matches it, so camera/camera_controller.* belongs to
# zr_camera_controller while the rest of camera/ is zr_camera. A file may
# include headers of its own library and of libraries on a lower level; a
# library on the same level is a sideways include and fails too. The levels
# follow target_link_libraries in src/*/CMakeLists.txt (the last column).
LAYERS = [
    # library                 path prefix                 level  links (CMake)
    ("zr_platform",           "platform/",                0),  # SDL
    ("zr_audio",              "platform/audio/",          1),  # OpenAL, libsndfile; platform's sound_library.h
    ("zr_engine",             "engine/",                  1),  # platform
    ("zr_camera",             "camera/",                  2),  # engine (game_camera, alpha_sorter)
    ("zr_ui",                 "ui/",                      2),  # engine, platform
    ("zr_sound",              "sound/",                   2),  # audio, platform
    ("zr_world",              "world/",                   3),  # camera, ui, engine, platform
    ("zr_track",              "track/",                   4),  # world, ui, engine
    ("zr_ride",               "ride/",                    5),  # track, sound, world
    ("zr_camera_controller",  "camera/camera_controller", 6),  # camera, ride, track
    ("zr_app",                "app/",                     7),  # everything above, and main.cpp
]

# Third-party headers and the folders that may include them: an include path
# pattern, the library's name for the message, and the allowed folders.
CONFINED = [
    (r"SDL2?/|SDL[._]", "SDL", ("src/platform/", "tests/platform/")),
    (r"epoxy/|GL/|GLES\d*/|EGL/|KHR/", "OpenGL", ("src/engine/", "tests/engine/")),
    (r"tiny_gltf", "glTF (tinygltf)", ("src/engine/", "tests/engine/")),
    (r"embree\d*/", "Embree", ("src/engine/", "tests/engine/")),
    (r"(libpng\d*/)?png(conf)?\.h$", "libpng", ("src/engine/", "tests/engine/")),
]

# The folders whose code the third-party rule covers.
SCANNED = ("src", "tools", "tests", "bench")

SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".c"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def library_of(src_path):
    """The table row owning a path relative to src/ (slashes), or None."""
    stem = src_path.rsplit(".", 1)[0] if "." in src_path.rsplit("/", 1)[-1] else src_path
    best = None
    for row in LAYERS:
        if stem.startswith(row[1]) and (best is None or len(row[1]) > len(best[1])):
            best = row
    return best


def source_files(root, folder):
    base = root / folder
    if not base.is_dir():
        return []
    return sorted(p for p in base.rglob("*") if p.suffix in SOURCE_SUFFIXES and p.is_file())


def includes_of(path):
    """(line number, bracket, include path) for each #include line."""
    found = []
    with open(path, encoding="utf-8", errors="replace") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if match:
                found.append((number, match.group(1), match.group(2).strip()))
    return found


def check_confined(root, path, includes):
    rel = path.relative_to(root).as_posix()
    errors = []
    for number, _, included in includes:
        for pattern, name, allowed in CONFINED:
            if re.match(pattern, included) and not rel.startswith(allowed):
                errors.append(f"{rel}:{number}: includes <{included}>: {name} is only included in "
                              f"{' and '.join(allowed)}")
    return errors


def resolve_in_src(root, path, included):
    """The src/-relative path of an include of our own, or None."""
    src = root / "src"
    beside = path.parent / included
    if beside.is_file():
        try:
            return beside.resolve().relative_to(src.resolve()).as_posix()
        except ValueError:
            return None
    if (src / included).is_file() or included.split("/", 1)[0] in {row[1].split("/")[0] for row in LAYERS}:
        return included
    return None


def check_order(root, path, includes):
    rel_src = path.relative_to(root / "src").as_posix()
    owner = library_of(rel_src)
    if owner is None:
        return [f"src/{rel_src}:1: no library of the layer table owns this file; add its library to "
                f"LAYERS in tests/lint/check_layering.py"]
    errors = []
    for number, _, included in includes:
        target_path = resolve_in_src(root, path, included)
        if target_path is None:
            continue
        target = library_of(target_path)
        if target is None or target[0] == owner[0]:
            continue
        if target[2] >= owner[2]:
            direction = "up" if target[2] > owner[2] else "sideways"
            errors.append(f"src/{rel_src}:{number}: includes \"{included}\" of {target[0]} (level {target[2]}) "
                          f"from {owner[0]} (level {owner[2]}): that points {direction} the layer order")
    return errors


CMAKE_COMMAND = re.compile(r"\b(add_library|target_link_libraries)\s*\(([^)]*)\)", re.S)


def check_cmake(root):
    """The libraries CMake builds agree with the table."""
    rows = {row[0]: row for row in LAYERS}
    seen = set()
    errors = []
    src = root / "src"
    for lists in sorted(src.rglob("CMakeLists.txt")):
        rel = lists.relative_to(root).as_posix()
        text = re.sub(r"#[^\n]*", "", lists.read_text(encoding="utf-8", errors="replace"))
        for match in CMAKE_COMMAND.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            words = match.group(2).split()
            if not words:
                continue
            name, rest = words[0], words[1:]
            if match.group(1) == "add_library":
                seen.add(name)
                if name not in rows:
                    errors.append(f"{rel}:{line}: library {name} is not in the layer table; add it to LAYERS in "
                                  f"tests/lint/check_layering.py")
                    continue
                for source in rest:
                    if pathlib.PurePosixPath(source).suffix not in SOURCE_SUFFIXES or "$" in source:
                        continue
                    rel_src = (lists.parent / source).relative_to(src).as_posix()
                    owner = library_of(rel_src)
                    if owner is None or owner[0] != name:
                        errors.append(f"{rel}:{line}: {name} builds {source}, which the layer table gives to "
                                      f"{owner[0] if owner else 'no library'}")
            elif name in rows:
                for linked in rest:
                    if linked in rows and rows[linked][2] >= rows[name][2]:
                        errors.append(f"{rel}:{line}: {name} (level {rows[name][2]}) links {linked} "
                                      f"(level {rows[linked][2]}), which is not below it in the layer table")
    for name in rows:
        if name not in seen:
            errors.append(f"tests/lint/check_layering.py:1: the layer table lists {name}, which no "
                          f"src/*/CMakeLists.txt builds")
    return errors


def main(argv):
    root = pathlib.Path(argv[1] if len(argv) > 1 else pathlib.Path(__file__).resolve().parents[2])
    if not (root / "src").is_dir():
        print(f"layering: {root} has no src/ folder")
        return 2
    errors = []
    checked = 0
    for folder in SCANNED:
        for path in source_files(root, folder):
            includes = includes_of(path)
            errors += check_confined(root, path, includes)
            if folder == "src":
                errors += check_order(root, path, includes)
            checked += 1
    errors += check_cmake(root)
    for error in errors:
        print(error)
    if errors:
        print(f"layering: {len(errors)} problem(s); the layer table is in tests/lint/check_layering.py")
        return 1
    print(f"layering: {checked} files, every include points down the layer order")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
