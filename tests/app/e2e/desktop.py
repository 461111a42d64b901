"""A private X server for the tests of the whole program, with a compositing manager so that the
layered drop shadow keeps its alpha; input through xdotool, screenshots through ImageMagick."""

import os
import subprocess

_SCREEN = "1280x1024x24"


class Screenshot:
    """The screen's pixels, as ImageMagick's import read them (binary PPM)."""

    def __init__(self, ppm):
        self.ppm = ppm
        fields, position = [], 0
        while len(fields) < 4:
            while ppm[position:position + 1].isspace():
                position += 1
            end = position
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[position:end])
            position = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise ValueError("not an 8-bit binary PPM")
        self.width, self.height = int(fields[1]), int(fields[2])
        self._pixels = ppm[position + 1:]

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self._pixels[at:at + 3])

    def pixels(self, rect):
        """The pixels of a (left, top, right, bottom) rectangle, row by row."""
        left, top, right, bottom = rect
        for y in range(top, bottom):
            for x in range(left, right):
                yield self.pixel(x, y)

    @staticmethod
    def read(path):
        """A picture file as a screenshot of its own, through ImageMagick."""
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True,
                             check=True).stdout
        return Screenshot(ppm)

    def differences(self, rect, reference, ignored=(), tolerance=2):
        """The pixels of a (left, top, right, bottom) rectangle that differ from the same
        rectangle of a reference picture (whose corner is the rectangle's) by more than the
        tolerance in any channel, outside the ignored rectangles (reference coordinates)."""
        left, top, right, bottom = rect
        if (reference.width, reference.height) != (right - left, bottom - top):
            return (right - left) * (bottom - top)
        count = 0
        for y in range(top, bottom):
            for x in range(left, right):
                at = (x - left, y - top)
                if any(r[0] <= at[0] < r[2] and r[1] <= at[1] < r[3] for r in ignored):
                    continue
                mine, theirs = self.pixel(x, y), reference.pixel(*at)
                count += max(abs(a - b) for a, b in zip(mine, theirs)) > tolerance
        return count

    def save(self, rect, path):
        """Saves a rectangle of the screen as PNG."""
        left, top, right, bottom = rect
        subprocess.run(["convert", "ppm:-", "-crop",
                        "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage",
                        "-strip", path], input=self.ppm, check=True)


class Desktop:
    def __init__(self):
        ready, announce = os.pipe()
        self._server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(announce), "-screen", "0", _SCREEN, "-nolisten", "tcp"],
            pass_fds=(announce,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(announce)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(ready, 16)
            if not chunk:
                raise RuntimeError("the X server did not start")
            number += chunk
        os.close(ready)
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self._compositor = subprocess.Popen(["xcompmgr"], env=self.env,
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def close(self):
        for process in (self._compositor, self._server):
            process.terminate()
            process.wait()

    def capture(self):
        shot = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                              env=self.env, capture_output=True, check=True)
        return Screenshot(shot.stdout)

    def click(self, x, y, count=1):
        """Clicks the left button at a screen point; several clicks come 80 ms apart."""
        self._xdotool("mousemove", str(x), str(y), "click", "--repeat", str(count),
                      "--delay", "80", "1")

    def park_pointer(self):
        """Moves the pointer to the screen's corner, off every window, so that nothing shows
        its hover look."""
        self._xdotool("mousemove", "0", "0")

    def key(self, keys):
        """Presses the keys, xdotool names separated by blanks ("Tab Tab", "alt+F4"), 100 ms
        apart."""
        self._xdotool("key", "--delay", "100", *keys.split())

    def _xdotool(self, *arguments):
        subprocess.run(["xdotool"] + list(arguments), env=self.env, check=True)
