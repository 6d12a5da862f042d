#!/usr/bin/env python3
"""The program layer's include structure: runtime/ below forms/ below app/ (record/ below
all three). Fails on an include from a lower layer into a higher one, and on a circle
between the modules (a header and its source are one module) of these folders."""
import pathlib
import re
import sys

LAYERS = {"record": 0, "runtime": 1, "forms": 2, "app": 3}
INCLUDE = re.compile(r'^#include "([^"]+)"', re.M)


def module(path):
    return str(pathlib.PurePosixPath(path).with_suffix(""))


def main():
    edges, faults = {}, []
    for folder in LAYERS:
        for path in sorted(pathlib.Path(folder).glob("*.[ch]*")):
            source = module(path.as_posix())
            for target in INCLUDE.findall(path.read_text()):
                layer = target.split("/")[0]
                if layer not in LAYERS:
                    continue
                if LAYERS[layer] > LAYERS[folder]:
                    faults.append(f"upward: {path} includes {target}")
                if module(target) != source:
                    edges.setdefault(source, set()).add(module(target))
    state, stack = {}, []

    def visit(node):  # depth first; a node met again while on the stack closes a circle
        state[node] = "open"
        stack.append(node)
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                faults.append("circle: " + " -> ".join(stack[stack.index(nxt):] + [nxt]))
            elif nxt not in state:
                visit(nxt)
        stack.pop()
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
