"""What a person sees in the program's window, measured on a screenshot: where its elements are,
red text, the grey of a disabled button, the words of a line of text."""

# Rectangles (left, top, right, bottom) and points in the window's client area, from the layout.
ZONE_NAME = (28, 46, 462, 70)
SERVER_TIME = (150, 118, 449, 162)
LOCAL_TIME = (150, 162, 449, 206)
UPDATE_NOW = (180, 280, 310, 410)
UPDATE_NOW_FACE = (215, 315, 275, 375)
UPDATE_NOW_CENTRE = (245, 345)
MINIMISE_CENTRE = (431, 10)
CLOSE_CENTRE = (471, 10)
EMPTY_BODY = (60, 450)
# The drop shadow reaches this far beyond the window.
SHADOW = 4


def on_screen(rect, window_rect):
    left, top = window_rect[:2]
    return (rect[0] + left, rect[1] + top, rect[2] + left, rect[3] + top)


def at_dpi(value, dpi):
    """A 96-DPI number, point or rectangle of the layout at another display scale, rounded as
    the program rounds (halves away from zero)."""
    if isinstance(value, tuple):
        return tuple(at_dpi(item, dpi) for item in value)
    product = value * dpi
    rounded = (abs(product) + 48) // 96
    return rounded if product >= 0 else -rounded


def moved(rect, corner):
    """A screen rectangle in the coordinates of a picture whose corner is at `corner`."""
    return (rect[0] - corner[0], rect[1] - corner[1], rect[2] - corner[0], rect[3] - corner[1])


def grown(rect, by):
    return (rect[0] - by, rect[1] - by, rect[2] + by, rect[3] + by)


def union(first, second):
    return (min(first[0], second[0]), min(first[1], second[1]), max(first[2], second[2]),
            max(first[3], second[3]))


def red_pixels(shot, rect):
    return sum(1 for r, g, b in shot.pixels(rect) if r > 170 and g < 90 and b < 90)


def mean_saturation(shot, rect):
    """0 for pure greys; the button's own colours are far above a disabled button's grey."""
    values = [max(pixel) - min(pixel) for pixel in shot.pixels(rect)]
    return sum(values) / len(values)


def word_widths(shot, rect, space=6):
    """The widths of the words of a line of dark text: runs of columns with dark pixels, where
    runs closer than a space belong to one word."""
    left, top, right, bottom = rect
    dark = [any(sum(shot.pixel(x, y)) < 3 * 140 for y in range(top, bottom))
            for x in range(left, right)]
    widths, start, end = [], None, None
    for x, inked in enumerate(dark):
        if not inked:
            continue
        if start is not None and x - end >= space:
            widths.append(end - start)
            start = None
        if start is None:
            start = x
        end = x + 1
    if start is not None:
        widths.append(end - start)
    return widths
