"""The toolkit's folders are layers: a file includes the toolkit's headers only from its own
folder or from the folders below it, in the order of LAYERS."""

import os
import re
import sys

LAYERS = ["resources", "styles", "skins", "elements", "controls", "frame"]
INCLUDE = re.compile(r'\s*#\s*include\s+"toolkit/([^/"]+)/')


def main(toolkit):
    upward = []
    for rank, layer in enumerate(LAYERS):
        folder = os.path.join(toolkit, layer)
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), encoding="utf-8") as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if match and (match.group(1) not in LAYERS
                                  or LAYERS.index(match.group(1)) > rank):
                        upward.append("%s/%s:%d: %s" % (layer, name, number, line.strip()))
    unknown = sorted(set(os.listdir(toolkit)) - set(LAYERS) - {"CMakeLists.txt"})
    for entry in unknown:
        print("toolkit/%s is in no layer" % entry)
    for include in upward:
        print("includes a higher layer: " + include)
    return 1 if upward or unknown else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
