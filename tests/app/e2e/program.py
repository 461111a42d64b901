"""The real program under Wine in the namespace, driven from outside: clicks and keys through the
desktop, what the screen cannot tell through the ElementQuery tool."""

import os
import subprocess
import tempfile
import time

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
DISABLED = 16  # element state bit


def poll(condition, timeout, interval=0.05):
    """The first true value of condition() within the time-out, else None."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value or None
        time.sleep(interval)


class Element:
    def __init__(self, answer):
        state, self.colour, self.text = answer.split("|", 2)
        self.state = int(state)

    @property
    def disabled(self):
        return bool(self.state & DISABLED)


class Window:
    def __init__(self, answer):
        fields = answer.split()
        self.rect = tuple(int(field) for field in fields[:4])
        self.minimised, self.visible = fields[4] == "1", fields[5] == "1"
        self.count = int(fields[6])


class MessageBox:
    def __init__(self, answer):
        rect, ok, self.text = answer.split("|", 2)
        self.rect = tuple(int(field) for field in rect.split())
        self.ok = tuple(int(field) for field in ok.split())


class WineSession:
    """A Wine server of the namespace's own, kept running across the programs it starts, and
    one ElementQuery process that answers for all of them."""

    def __init__(self, prefix, desktop, program, element_query):
        self.desktop = desktop
        self.program = program
        self.env = dict(desktop.env, WINEPREFIX=prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.env.pop("TZ", None)
        subprocess.run([WINESERVER, "-p"], env=self.env, check=True)
        self._query = subprocess.Popen([WINE, element_query], env=self.env, text=True,
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE)

    def ask(self, command):
        self._query.stdin.write(command + "\n")
        self._query.stdin.flush()
        return self._query.stdout.readline().rstrip("\n")

    def run(self, *command):
        """Runs a Windows command to its end: its output. The output goes through a file, not
        a pipe: Wine services that the command may start keep its descriptors open for the
        session's whole life, and a pipe would not end before they do."""
        with tempfile.TemporaryFile("w+") as output:
            subprocess.run([WINE] + list(command), env=self.env, stdout=output,
                           stderr=subprocess.DEVNULL, check=True)
            output.seek(0)
            return output.read()

    def start(self, tz="UTC", **options):
        return Program(self, tz, **options)

    def close(self):
        self._query.stdin.close()
        self._query.wait()
        subprocess.run([WINESERVER, "-k"], env=self.env)


class Program:
    """One start of the program; Wine takes the time zone from the Unix environment. Another
    copy of it may be started, from a directory of its own (its current one too), with more
    DLL overrides for Wine."""

    def __init__(self, session, tz, program=None, dll_overrides=None):
        self._session = session
        env = dict(session.env, TZ=tz)
        if dll_overrides:
            env["WINEDLLOVERRIDES"] += ";" + dll_overrides
        self._process = subprocess.Popen([WINE, program or session.program], env=env,
                                         cwd=program and os.path.dirname(program))

    def element(self, element_id):
        answer = self._session.ask("element %d" % element_id)
        return Element(answer) if answer != "none" else None

    def text(self, element_id):
        element = self.element(element_id)
        return element.text if element else None

    def window(self):
        answer = self._session.ask("window")
        return Window(answer) if answer != "none" else None

    def message_box(self):
        answer = self._session.ask("box")
        return MessageBox(answer) if answer != "none" else None

    def shown_window(self):
        """The window when it is shown and not minimised, else None."""
        window = self.window()
        return window if window and window.visible and not window.minimised else None

    def wait_for_window(self, timeout=20):
        """The window once shown, which is after it was centred."""
        return poll(self.shown_window, timeout)

    def client_to_screen(self, x, y):
        left, top = self.window().rect[:2]
        return left + x, top + y

    def click(self, x, y, count=1):
        """Clicks at a point of the window's client area (the whole window)."""
        self._session.desktop.click(*self.client_to_screen(x, y), count=count)

    def post_close(self):
        return self._session.ask("close") == "posted"

    def exit_code(self, timeout):
        """The exit code, or None when the program is still running after the time-out; it is
        then ended, so that the next start finds no running instance."""
        try:
            return self._process.wait(timeout)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait()
            return None
