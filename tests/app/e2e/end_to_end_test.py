"""The unmodified program as a person meets it, in a network namespace with time servers that the
test runs itself: the waiting, running and error states, the difference, "Update Now" with its
message boxes, the time-zone name, the second start, the ways to close, the keyboard alone, and a
start from a download folder beside planted libraries. One start of the program per group of
scenarios. Screenshots of the states go to --screenshots.
  end_to_end_test.py <Chronalign.exe> <ElementQuery.exe> <Wine prefix> <wine-run wrapper>
                     --planted-library <DLL> --planted-program <exe>
                     [--references <dir>] [--applet <timedate.cpl> --applet-folder <folder>]
                     [--dpi <display scale, 96 by default>]"""

import argparse
import datetime
import os
import re
import shutil
import sys
import time
import zoneinfo

# The modules beside this script; no byte code in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import looks  # noqa: E402
from desktop import Screenshot  # noqa: E402
from program import poll  # noqa: E402
from time_servers import CLOSE, GARBAGE, OLD, RESET, SHORT, answer, requests_to  # noqa: E402

ZONE_NAME, SERVER_TIME, LOCAL_TIME, DIFFERENCE, UPDATE_NOW = 8010, 8002, 8004, 8011, 8005
CONNECTING = "Connect to time server..."
FAILED = "Error connecting to time server."
CLOCK_SET = re.compile(r"The clock was successfully synchronized with time server on (.+)\.$")
CLOCK_REFUSED = "The clock could not be set to the time server's time: "
W32TIME = r"HKLM\SYSTEM\CurrentControlSet\Services\W32Time"
CLOSED = 2
# Libraries that Windows does not always take from the system folder: planted beside the
# program, they would be loaded from there where it did not ask for the system folder.
PLANTED_LIBRARIES = ("msimg32", "oleacc", "gdiplus", "comctl32", "dwmapi")


class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def expect(self, condition, what, seen=None):
        if condition:
            self.passed += 1
            return
        self.failed += 1
        print("FAILED: %s%s" % (what, "" if seen is None else " (seen: %r)" % (seen,)))


def seconds_of_day(text):
    """The time of day shown in a text, in seconds, whatever the locale's time format."""
    match = re.search(r"(\d{1,2}):(\d\d):(\d\d)(?:\s*([AP]M))?", text or "")
    if not match:
        return None
    hour, minute, second = (int(group) for group in match.groups()[:3])
    if match.group(4):
        hour = hour % 12 + (12 if match.group(4) == "PM" else 0)
    return hour * 3600 + minute * 60 + second


def close_in_time(shown, expected, tolerance):
    """Times of day within the tolerance (seconds), across midnight too."""
    if shown is None:
        return False
    distance = abs(shown - expected) % 86400
    return min(distance, 86400 - distance) <= tolerance


def now_in(zone, offset=0.0):
    moment = datetime.datetime.now(zoneinfo.ZoneInfo(zone)) + datetime.timedelta(seconds=offset)
    return moment.hour * 3600 + moment.minute * 60 + moment.second


class EndToEnd:
    def __init__(self, session, servers, arguments):
        self.session, self.servers = session, servers
        self.screenshots, self.references = arguments.screenshots, arguments.references
        self.dpi = arguments.dpi
        self.checks = Checks()
        self.set_display_scale(self.dpi)
        # The stand-in Date and Time applet, in the namespace's view of the prefix only.
        self.applet_opened = None
        self.planted_library, self.planted_program = (arguments.planted_library,
                                                      arguments.planted_program)
        if arguments.applet:
            windows = os.path.join(session.env["WINEPREFIX"], "drive_c", "windows")
            shutil.copy(arguments.applet,
                        os.path.join(windows, arguments.applet_folder, "timedate.cpl"))
            self.applet_opened = os.path.join(windows, "temp", "timedate-opened")

    def at(self, value):
        """A 96-DPI number, point or rectangle of the layout at the run's display scale."""
        return looks.at_dpi(value, self.dpi)

    def set_display_scale(self, dpi):
        """The prefix's display scale, which Wine reads at each program's start."""
        self.session.run("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                         "REG_DWORD", "/d", str(dpi), "/f")

    def start(self, tz, dpi=None, **options):
        program = self.session.start(tz, **options)
        window = program.wait_for_window()
        if not window:
            raise RuntimeError("the program's window did not appear")
        left, top, right, bottom = window.rect
        size = looks.at_dpi((490, 500), dpi or self.dpi)
        self.checks.expect((right - left, bottom - top) == size,
                           "a window of 490 x 500 at %d DPI" % (dpi or self.dpi),
                           (right - left, bottom - top))
        return program

    def save(self, program, name, extra=None, times=(looks.LOCAL_TIME,)):
        """Saves the window with its shadow (and a message box over it) to the screenshots,
        with the pointer off the window, and compares it with its reference picture, taken
        before, outside the labels of running times and the box, which Wine draws."""
        self.session.desktop.park_pointer()
        time.sleep(0.3)
        window = program.window().rect
        rect = looks.grown(window, self.at(looks.SHADOW))
        if extra:
            rect = looks.union(rect, extra)
        shot = self.session.desktop.capture()
        shot.save(rect, os.path.join(self.screenshots, name))
        # The reference pictures are of 96 DPI.
        if self.references and self.dpi == 96:
            corner = rect[:2]
            ignored = [looks.moved(looks.on_screen(self.at(label), window), corner)
                       for label in times]
            if extra:
                ignored.append(looks.moved(extra, corner))
            reference = Screenshot.read(os.path.join(self.references, name))
            differing = shot.differences(rect, reference, ignored)
            self.checks.expect(differing == 0, "%s as its reference picture" % name,
                               "%d pixels differ" % differing)
        return shot

    def press_ok(self, box):
        self.session.desktop.click((box.ok[0] + box.ok[2]) // 2, (box.ok[1] + box.ok[3]) // 2)

    def asked(self):
        return [(address, protocol) for address, protocol, _ in self.servers.attempts()]

    def expect_exit(self, program, how):
        self.checks.expect(program.exit_code(15) == CLOSED, "exit code %d after %s" % (CLOSED, how))

    def waiting_then_running(self):
        """The first daytime reply comes late and 5 s ahead, in a zone whose name holds "&"."""
        check = self.checks.expect
        self.servers.configure(entry0=answer(offset=5, delay=3))
        program = self.start("America/Los_Angeles")

        check(program.text(SERVER_TIME) == CONNECTING, "waiting text", program.text(SERVER_TIME))
        check(program.text(DIFFERENCE) == "N/A", "no difference yet", program.text(DIFFERENCE))
        check(program.element(UPDATE_NOW).disabled, "Update Now disabled before any reply")
        check(program.text(ZONE_NAME) == "(UTC-08:00) Pacific Time (US && Canada)",
              "zone name with a doubled \"&\" in the element", program.text(ZONE_NAME))
        shot = self.save(program, "window-waiting.png")
        window = program.window().rect
        # One visible "&", drawn as a word of its own: two would make it as wide as "(US".
        words = looks.word_widths(shot, looks.on_screen(self.at(looks.ZONE_NAME), window))
        check(len(words) == 6 and words[4] < 0.65 * words[3],
              "six words in the zone name, the fifth a single \"&\"", words)
        grey = looks.mean_saturation(shot, looks.on_screen(self.at(looks.UPDATE_NOW_FACE), window))

        enabled = poll(lambda: not program.element(UPDATE_NOW).disabled and time.monotonic(), 8)
        answered = [moment for _, _, moment in self.servers.answers()]
        check(enabled and answered, "Update Now enabled after the first reply")
        if enabled and answered:
            check(enabled - answered[0] < 1.8, "enabled within about a second of the reply",
                  round(enabled - answered[0], 2))
        check(poll(lambda: program.text(DIFFERENCE) == "5 sec", 3), "difference of 5 s ahead",
              program.text(DIFFERENCE))
        server_time = program.element(SERVER_TIME)
        check(close_in_time(seconds_of_day(server_time.text),
                            now_in("America/Los_Angeles", 5), 2),
              "server time 5 s ahead in Pacific time", server_time.text)
        check(server_time.colour == "000000", "server time in black", server_time.colour)
        check(self.asked() == requests_to([0]), "one request, daytime to entry 0", self.asked())
        shot = self.save(program, "window-running.png",
                         times=(looks.SERVER_TIME, looks.LOCAL_TIME))
        check(looks.red_pixels(shot, looks.on_screen(self.at(looks.SERVER_TIME), window)) == 0,
              "no red on screen while running")
        coloured = looks.mean_saturation(shot, looks.on_screen(self.at(looks.UPDATE_NOW_FACE), window))
        check(grey < 30 < coloured, "Update Now grey while disabled, coloured when enabled",
              (round(grey, 1), round(coloured, 1)))

        program.click(*self.at(looks.CLOSE_CENTRE))
        self.expect_exit(program, "the close button")

    def update_now_and_second_start(self):
        """At UTC+8 with servers at the machine's own time: the clock is "set" (Wine accepts
        moves under half a second without touching the clock), a double click starts the
        configuration once, and a second start restores the minimised window."""
        check = self.checks.expect
        for key in ("Parameters", r"TimeProviders\NtpClient"):
            self.session.run("reg", "add", W32TIME + "\\" + key, "/f")
        self.servers.configure(entry0=answer())
        program = self.start("Asia/Shanghai")
        # The layout's own text is the Pacific name: this one shows the label follows the zone.
        check(program.text(ZONE_NAME) == "(UTC+08:00) Beijing, Chongqing, Hong Kong, Urumqi",
              "zone name at UTC+8", program.text(ZONE_NAME))
        check(poll(lambda: not program.element(UPDATE_NOW).disabled, 8), "Update Now enabled")

        program.click(*self.at(looks.UPDATE_NOW_CENTRE), count=2)
        box = poll(program.message_box, 5)
        check(box is not None, "a confirmation box")
        if box:
            local = seconds_of_day(program.text(LOCAL_TIME))
            match = CLOCK_SET.match(box.text)
            check(match, "the confirmation text", box.text)
            shown = seconds_of_day(match.group(1)) if match else None
            check(close_in_time(shown, now_in("UTC"), 3), "the confirmation names UTC", box.text)
            check(local is not None and close_in_time(shown, local - 8 * 3600, 2),
                  "eight hours before the local time label", (box.text, local))
            check(program.element(UPDATE_NOW).disabled, "Update Now disabled under the box")
            self.save(program, "window-confirmation.png", box.rect,
                      times=(looks.SERVER_TIME, looks.LOCAL_TIME))
            self.press_ok(box)
            check(poll(lambda: program.message_box() is None, 3), "the box closes on OK")
            time.sleep(1.5)
            check(program.message_box() is None, "no second box after the double click")
            check(not program.element(UPDATE_NOW).disabled, "Update Now enabled after the box")
        for key, value, written in (("Parameters", "Type", "NTP"),
                                    (r"TimeProviders\NtpClient", "SpecialPollInterval", "0x1e")):
            shown = self.session.run("reg", "query", W32TIME + "\\" + key, "/v", value)
            check(written in shown.split(), "W32Time %s written" % value, shown.strip())

        program.click(*self.at(looks.MINIMISE_CENTRE))
        check(poll(lambda: program.window().minimised, 3), "minimised by its button")
        second = self.session.start("Asia/Shanghai")
        check(second.exit_code(15) == 0, "the second start ends with 0")
        window = poll(program.shown_window, 3)
        check(window is not None, "the second start restores the window")
        check(window and window.count == 1, "still one window", window and window.count)

        program.click(*self.at(looks.EMPTY_BODY))
        self.session.desktop.key("alt+F4")
        self.expect_exit(program, "Alt+F4")

    def behind_by_sntp(self):
        """Daytime fails, SNTP answers 5 s behind."""
        check = self.checks.expect
        self.servers.configure(entry0=RESET, entry1=answer(offset=-5))
        program = self.start("UTC")
        check(poll(lambda: program.text(DIFFERENCE) == "-5 sec", 6), "difference of 5 s behind",
              program.text(DIFFERENCE))
        check(self.asked() == requests_to([0, 1]), "daytime to entry 0, then SNTP to entry 1",
              self.asked())
        program.click(*self.at(looks.EMPTY_BODY))
        self.session.desktop.key("Escape")
        self.expect_exit(program, "Esc")

    def an_hour_off_refused(self):
        """Wine refuses to move the clock by an hour: the box says so, with the reason."""
        check = self.checks.expect
        self.servers.configure(entry0=answer(offset=3600))
        program = self.start("UTC")
        check(poll(lambda: not program.element(UPDATE_NOW).disabled, 8), "Update Now enabled")
        program.click(*self.at(looks.UPDATE_NOW_CENTRE))
        box = poll(program.message_box, 5)
        check(box and box.text.startswith(CLOCK_REFUSED) and
              len(box.text) > len(CLOCK_REFUSED), "the refusal names its reason",
              box and box.text)
        if box:
            self.press_ok(box)
            check(poll(lambda: not program.element(UPDATE_NOW).disabled, 3),
                  "Update Now enabled after the refusal")
        # The daytime reply carries whole seconds and leaves a moment after its second began:
        # on a busy machine that moment can cost the difference a second.
        check(program.text(DIFFERENCE) in ("3599 sec", "3600 sec"), "the clock left as it was",
              program.text(DIFFERENCE))
        check(program.post_close(), "WM_CLOSE posted")
        self.expect_exit(program, "WM_CLOSE")

    def keyboard_alone(self):
        """Tab, Tab and Space press "Update Now", whose confirmation comes up; Tab to "Change
        time zone..." and Enter open the Date and Time control panel; Esc closes."""
        check = self.checks.expect
        for key in ("Parameters", r"TimeProviders\NtpClient"):
            self.session.run("reg", "add", W32TIME + "\\" + key, "/f")
        self.servers.configure(entry0=answer())
        program = self.start("UTC")
        check(poll(lambda: not program.element(UPDATE_NOW).disabled, 8), "Update Now enabled")
        # The window takes the keyboard as a person's click on it would give it.
        program.click(*self.at(looks.EMPTY_BODY))
        self.session.desktop.key("Tab Tab")
        self.save(program, "window-keyboard-focus.png", times=(looks.SERVER_TIME, looks.LOCAL_TIME))
        self.session.desktop.key("space")
        box = poll(program.message_box, 5)
        check(box is not None and CLOCK_SET.match(box.text), "Tab, Tab, Space: the confirmation",
              box and box.text)
        if box:
            self.session.desktop.key("Return")
            check(poll(lambda: program.message_box() is None, 3), "the box closes on Enter")
        if self.applet_opened:
            check(poll(lambda: not program.element(UPDATE_NOW).disabled, 3),
                  "Update Now enabled again")
            # The box gave the window back; a click makes sure it has the keyboard again.
            program.click(*self.at(looks.EMPTY_BODY))
            self.session.desktop.key("Tab Return")
            check(poll(lambda: os.path.exists(self.applet_opened), 10),
                  "Tab, Enter: the Date and Time control panel opens")
        self.session.desktop.key("Escape")
        self.expect_exit(program, "Esc")

    def started_from_downloads(self):
        """Started from a download folder that also holds libraries and a RunDLL32.exe of
        system names, with Wine told to prefer libraries found there, as Windows does for those
        not always taken from the system folder: none is loaded or started, and the program
        works, with the Date and Time control panel and its object for screen readers."""
        check = self.checks.expect
        drive = os.path.join(self.session.env["WINEPREFIX"], "drive_c")
        downloads = os.path.join(drive, "users", "Public", "Downloads")
        os.makedirs(downloads, exist_ok=True)
        copy = shutil.copy(self.session.program, downloads)
        for library in PLANTED_LIBRARIES:
            shutil.copy(self.planted_library, os.path.join(downloads, library + ".dll"))
        shutil.copy(self.planted_program, os.path.join(downloads, "RunDLL32.exe"))
        if self.applet_opened and os.path.exists(self.applet_opened):
            os.remove(self.applet_opened)
        self.servers.configure(entry0=answer())
        program = self.session.start("UTC", program=copy,
                                     dll_overrides=",".join(PLANTED_LIBRARIES) + "=n,b")
        # A planted library can keep the window from coming up at all.
        shown = program.wait_for_window()
        check(shown, "the window appears")
        if shown:
            check(poll(lambda: not program.element(UPDATE_NOW).disabled, 8),
                  "Update Now enabled")
            check(self.session.ask("accessible") not in ("none", "0"),
                  "an object for screen readers", self.session.ask("accessible"))
            program.click(*self.at(looks.EMPTY_BODY))
            self.session.desktop.key("Tab Return")
            if self.applet_opened:
                check(poll(lambda: os.path.exists(self.applet_opened), 10),
                      "the Date and Time control panel opens through the system's RunDLL32")
        temp = os.path.join(drive, "windows", "temp")
        marks = poll(lambda: [name for name in os.listdir(temp) if name.startswith("planted-")],
                     1)
        check(not marks, "nothing planted was loaded or started", marks)
        if shown:
            self.session.desktop.key("Escape")
            self.expect_exit(program, "Esc")
        else:
            program.exit_code(0)

    def at_every_scale(self):
        """At 120, 144 and 192 DPI the window is 490 x 500 at that scale."""
        for dpi in (120, 144, 192):
            self.set_display_scale(dpi)
            program = self.start("UTC", dpi)
            self.checks.expect(program.post_close(), "WM_CLOSE posted")
            self.expect_exit(program, "WM_CLOSE at %d DPI" % dpi)
        self.set_display_scale(self.dpi)

    def every_server_failing(self):
        """Six quick failures of every kind: the sync thread gives up after the sixth."""
        check = self.checks.expect
        self.servers.configure(entry0=RESET, entry1=OLD, entry2=CLOSE, entry3=SHORT,
                               entry4=GARBAGE, entry5=OLD)
        program = self.start("UTC")
        check(poll(lambda: program.text(SERVER_TIME) == FAILED, 12), "the error text",
              program.text(SERVER_TIME))
        server_time = program.element(SERVER_TIME)
        check(server_time.colour == "FF0000", "the error in red", server_time.colour)
        check(program.element(UPDATE_NOW).disabled, "Update Now disabled after giving up")
        time.sleep(1.5)
        # Daytime for even entries, SNTP for odd ones, and no seventh.
        check(self.asked() == requests_to(range(6)), "six attempts, entries 0 to 5 in order",
              self.asked())
        window = program.window().rect
        shot = self.save(program, "window-error.png")
        check(looks.red_pixels(shot, looks.on_screen(self.at(looks.SERVER_TIME), window)) > 50,
              "red text on screen")
        check(looks.mean_saturation(shot, looks.on_screen(self.at(looks.UPDATE_NOW_FACE), window)) < 30,
              "Update Now grey on screen")
        check(program.post_close(), "WM_CLOSE posted")
        self.expect_exit(program, "WM_CLOSE")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--screenshots", default="end-to-end-screenshots")
    parser.add_argument("--references", help="the pictures that the screenshots must match")
    parser.add_argument("--dpi", type=int, default=96, help="the display scale of the run")
    parser.add_argument("--applet", help="a stand-in timedate.cpl to put into the prefix")
    parser.add_argument("--applet-folder", default="system32",
                        help="the prefix's system folder that the program's RunDLL32 reads")
    parser.add_argument("--planted-library", required=True,
                        help="a DLL that leaves a mark when loaded, planted beside the program")
    parser.add_argument("--planted-program", required=True,
                        help="a program that leaves a mark when started, planted as RunDLL32.exe")
    arguments = harness.parse_arguments(parser)
    os.makedirs(arguments.screenshots, exist_ok=True)
    with harness.running(arguments) as (session, servers):
        test = EndToEnd(session, servers, arguments)
        groups = [test.waiting_then_running, test.update_now_and_second_start,
                  test.behind_by_sntp, test.an_hour_off_refused, test.keyboard_alone,
                  test.started_from_downloads, test.every_server_failing]
        if arguments.dpi == 96:
            groups.append(test.at_every_scale)
        for group in groups:
            started = time.monotonic()
            failed = test.checks.failed
            group()
            print("%s: %s in %.1f s" % (group.__name__,
                                        "passed" if test.checks.failed == failed else "FAILED",
                                        time.monotonic() - started))
    print("%d passed, %d failed" % (test.checks.passed, test.checks.failed))
    return 0 if test.checks.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
