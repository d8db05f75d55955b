#!/usr/bin/env python3
"""Refuses an include that points up a layer, or across to a sibling it must not know.

The layers, bottom to top (src/):
  common -> camera -> camera/simulator, camera/gphoto2 -> engine -> ui, station -> app
A file may include its own folder and the layers below it; the two camera backends know
the camera interface but not each other, the engine knows the interface but no backend,
and the two faces (ui, station) do not know each other. Prints each offending include
and exits with 1; 0 when every include points down."""
import pathlib
import re
import sys

ALLOWED = {
    "common": {"common"},
    "camera": {"common", "camera"},
    "camera/simulator": {"common", "camera", "camera/simulator"},
    "camera/gphoto2": {"common", "camera", "camera/gphoto2"},
    "engine": {"common", "camera", "engine"},
    "ui": {"common", "camera", "engine", "ui"},
    "station": {"common", "camera", "engine", "station"},
    "app": {"common", "camera", "camera/simulator", "camera/gphoto2", "engine", "ui",
            "station", "app"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(relative: str) -> str:
    """The layer a path under src/ belongs to: the longest known folder it lies in."""
    best = ""
    for layer in ALLOWED:
        if (relative == layer or relative.startswith(layer + "/")) and len(layer) > len(best):
            best = layer
    return best


def main() -> int:
    src = pathlib.Path(__file__).resolve().parent.parent / "src"
    problems = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        relative = path.relative_to(src).as_posix()
        own = layer_of(relative)
        if not own:
            problems.append(f"{relative}: not in any layer")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if target.startswith("../"):
                problems.append(f"{relative}:{number}: \"{target}\" climbs out of its folder")
                continue
            if "/" not in target:
                continue  # the file's own folder
            included = layer_of(target)
            if not included:
                problems.append(f"{relative}:{number}: \"{target}\": name it from src/")
            elif included not in ALLOWED[own]:
                problems.append(f"{relative}:{number}: {own} may not include \"{target}\"")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
