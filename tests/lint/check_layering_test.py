#!/usr/bin/env python3
"""The layering checker on a copy of src/ with one planted fault per case:
each must fail, naming the file and line of the fault; the untouched copy
and the harmless plants must pass."""

import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parents[1]
CHECKER = HERE / "check_layering.py"

# name, file to write (relative to the copy's root), a line appended to it
# (None: the whole file is the line), a text the report must contain (None: the
# checker must pass). A "{line}" in the text stands for the planted line's number.
CASES = [
    ("untouched tree passes", None, None, None),
    ("ui including ride points up", "src/ui/menu.cpp", '#include "ride/ride.h"',
     'src/ui/menu.cpp:{line}: includes "ride/ride.h" of zr_ride'),
    ("world including the camera controller points up although camera/ is below world",
     "src/world/world.cpp", '#include "camera/camera_controller.h"',
     'src/world/world.cpp:{line}: includes "camera/camera_controller.h" of zr_camera_controller'),
    ("ui including the game camera is sideways", "src/ui/screen_image.h", '#include "camera/game_camera.h"',
     "src/ui/screen_image.h:{line}: includes \"camera/game_camera.h\" of zr_camera (level 2) from zr_ui (level 2): "
     "that points sideways"),
    ("engine including the app points up", "src/engine/scene.cpp", '#  include "app/game.h"',
     "src/engine/scene.cpp:{line}: includes \"app/game.h\" of zr_app"),
    ("a header beside the file resolves to its library", "src/platform/profile.cpp", '#include "../ui/menu.h"',
     'src/platform/profile.cpp:{line}: includes "../ui/menu.h" of zr_ui'),
    ("a downward include passes", "src/ride/ride.cpp", '#include "sound/sound_bank.h"', None),
    ("a commented-out include passes", "src/ui/menu.cpp", '// #include "app/game.h"', None),
    ("SDL in the app", "src/app/game.cpp", "#include <SDL.h>", "src/app/game.cpp:{line}: includes <SDL.h>: SDL"),
    ("SDL in an end-to-end test", "tests/e2e/planted_test.cpp", "#include <SDL2/SDL_events.h>",
     "tests/e2e/planted_test.cpp:{line}: includes <SDL2/SDL_events.h>: SDL"),
    ("OpenGL in the ui", "src/ui/screen_image.cpp", "#include <epoxy/gl.h>",
     "src/ui/screen_image.cpp:{line}: includes <epoxy/gl.h>: OpenGL"),
    ("glTF in the track", "src/track/catalogue.cpp", "#include <tiny_gltf.h>",
     "src/track/catalogue.cpp:{line}: includes <tiny_gltf.h>: glTF"),
    ("Embree in the ride", "src/ride/ride.cpp", "#include <embree3/rtcore.h>",
     "src/ride/ride.cpp:{line}: includes <embree3/rtcore.h>: Embree"),
    ("libpng in the generator", "tools/assetgen/planted.cpp", "#include <png.h>",
     "tools/assetgen/planted.cpp:{line}: includes <png.h>: libpng"),
    ("SDL in the platform passes", "src/platform/messages.cpp", "#include <SDL.h>", None),
    ("libpng in the engine passes", "src/engine/font.cpp", "#include <png.h>", None),
    ("a new folder outside the table", "src/editor/build_commands.cpp", None,
     "src/editor/build_commands.cpp:1: no library of the layer table owns this file"),
    ("a library linking upwards", "src/ui/CMakeLists.txt", "target_link_libraries(zr_ui PUBLIC zr_world)",
     "src/ui/CMakeLists.txt:{line}: zr_ui (level 2) links zr_world (level 3)"),
    ("a library missing from the table", "src/world/CMakeLists.txt", "add_library(zr_props props.cpp)",
     "src/world/CMakeLists.txt:{line}: library zr_props is not in the layer table"),
]


def plant(root, rel, line):
    """Appends the line to the file (creating it); returns the line's number."""
    path = root / rel
    path.parent.mkdir(parents=True, exist_ok=True)
    text = path.read_text() if path.exists() else ""
    if text and not text.endswith("\n"):
        text += "\n"
    text += (line if line is not None else '#include "engine/scene.h"') + "\n"
    path.write_text(text)
    return text.count("\n")


class CheckLayering(unittest.TestCase):
    def test_planted_faults(self):
        for name, rel, line, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory(prefix="layering-") as temp:
                copy = pathlib.Path(temp)
                shutil.copytree(ROOT / "src", copy / "src")
                number = plant(copy, rel, line) if rel else 0
                result = subprocess.run([sys.executable, str(CHECKER), str(copy)], capture_output=True, text=True)
                if expected is None:
                    self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                else:
                    self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
                    self.assertIn(expected.format(line=number), result.stdout)

    def test_source_given_to_another_library(self):
        # camera_controller.cpp moved into zr_camera: the table gives it to
        # zr_camera_controller, so the CMake side disagrees with it.
        with tempfile.TemporaryDirectory(prefix="layering-") as temp:
            copy = pathlib.Path(temp)
            shutil.copytree(ROOT / "src", copy / "src")
            lists = copy / "src/camera/CMakeLists.txt"
            lists.write_text(lists.read_text().replace("alpha_sorter.cpp\n", "alpha_sorter.cpp\n    camera_controller.cpp\n"))
            result = subprocess.run([sys.executable, str(CHECKER), str(copy)], capture_output=True, text=True)
            self.assertEqual(result.returncode, 1, result.stdout)
            self.assertIn("src/camera/CMakeLists.txt:2: zr_camera builds camera_controller.cpp, which the layer table "
                          "gives to zr_camera_controller", result.stdout)


if __name__ == "__main__":
    unittest.main()
