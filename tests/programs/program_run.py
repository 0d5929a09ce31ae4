"""Runs flyback and flyback-gui as black boxes: in a fresh folder, with a
clean environment, on files, pipes, closed streams or a pseudo-terminal.

The programs and the answer file come from the environment that CTest sets:
FLYBACK, FLYBACK_GUI (empty when the window is not built) and
FLYBACK_DEMO_ALL_REPORTS (the demonstration run that writes all four reports).
"""

import fcntl
import os
import pty
import select
import signal
import stat
import struct
import subprocess
import tempfile
import termios
import time
import unittest

FLYBACK = os.environ["FLYBACK"]
FLYBACK_GUI = os.environ.get("FLYBACK_GUI", "")
DEMO_ALL_REPORTS = os.environ["FLYBACK_DEMO_ALL_REPORTS"]

# Return at every question of the three-output demonstration design until the
# result screen's question, which "1" answers: the main menu follows.
TO_MAIN_MENU = "\n" * 23 + "1\n"
# From there "Print the result" with the default date and name: the next
# answer is the report's file name.
TO_RESULT_FILE_NAME = TO_MAIN_MENU + "2\n\n\n"

# Variables of the caller's desktop that would change what the programs do.
_DESKTOP_VARIABLES = ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "FLYBACK_GUI_ANSWERS",
                      "FLYBACK_GUI_SCREENSHOT", "FLYBACK_TERMINAL_FALLBACK", "XDG_STATE_HOME",
                      "XDG_SESSION_TYPE",
                      "LANG", "LANGUAGE", "LC_ALL")


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def write_bytes(path, data):
    with open(path, "wb") as file:
        file.write(data)


def free_x_display():
    """A display name with no X server behind it (and far from the :99 that
    xvfb-run takes for the screenshot test)."""
    number = 1099
    while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
        number += 1
    return f":{number}"


class ProgramTest(unittest.TestCase):
    """Each test runs in a fresh folder, with the session files of the window
    and the terminal kept in state/ inside it, and messages in English."""

    def setUp(self):
        self._folder = tempfile.TemporaryDirectory(prefix="flyback-program-test-")
        self.folder = self._folder.name
        self.state_home = self.path("state")
        self.session_file = self.path("state", "flyback", "last-session.txt")
        self.previous_session_file = self.path("state", "flyback", "previous-session.txt")

    def tearDown(self):
        self._folder.cleanup()

    def path(self, *names):
        return os.path.join(self.folder, *names)

    def environment(self, **changes):
        """The environment of a run: no display, C locale, the state folder
        here; `changes` set variables (None removes one)."""
        env = {k: v for k, v in os.environ.items() if k not in _DESKTOP_VARIABLES}
        env.update(LC_ALL="C", XDG_STATE_HOME=self.state_home)
        for name, value in changes.items():
            if value is None:
                env.pop(name, None)
            else:
                env[name] = value
        return env

    def run_program(self, arguments, stdin=b"", env=None, closed=(), timeout=60, preexec=None,
                    work=None):
        """Runs the program in the test's folder (or `work`) with `stdin`
        (bytes, or a path to read from) and returns the finished process
        (stdout and stderr as bytes). `closed` names standard streams (0, 1)
        that the program finds closed; `preexec` runs in the child before."""

        def prepare():
            for descriptor in closed:
                os.close(descriptor)
            if preexec is not None:
                preexec()

        options = dict(stdout=subprocess.PIPE, stderr=subprocess.PIPE, cwd=work or self.folder,
                       env=env or self.environment(), preexec_fn=prepare, timeout=timeout,
                       check=False)
        if isinstance(stdin, bytes):
            return subprocess.run(arguments, input=stdin, **options)
        answers = os.open(stdin, os.O_RDONLY)  # a folder too: reading it fails
        try:
            return subprocess.run(arguments, stdin=answers, **options)
        finally:
            os.close(answers)

    def device(self):
        """A character device to give as a file name: /dev/null, which an
        ordinary user cannot replace, or, as root, a node of /dev/null's
        device made here, so that a program that replaced it would harm
        nothing."""
        if os.geteuid() != 0:
            return "/dev/null"
        node = self.path("null")
        os.mknod(node, 0o666 | stat.S_IFCHR, os.makedev(1, 3))
        return node

    def assert_one_line(self, stderr, expected):
        """Standard error holds exactly the line `expected`."""
        self.assertEqual(stderr.decode(), expected + "\n")

    def assert_ended_before_the_dialogue(self, process, line):
        """The program ended with status 2 and the one `line` on standard
        error, before the dialogue showed anything."""
        self.assertEqual(process.returncode, 2)
        self.assert_one_line(process.stderr, line)
        self.assertEqual(process.stdout, b"")

    def window_environment(self, answers, **changes):
        """The window on the offscreen platform, answered from `answers`."""
        return self.environment(QT_QPA_PLATFORM="offscreen", FLYBACK_GUI_ANSWERS=answers, **changes)


class Terminal:
    """A program on a pseudo-terminal of 24 x 80, driven key by key."""

    def __init__(self, arguments, env, cwd):
        self.output = b""
        self.exit_status = None
        self._pid, self._fd = pty.fork()
        if self._pid == 0:
            try:
                fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 80, 0, 0))
                os.chdir(cwd)
                os.execve(arguments[0], arguments, dict(env, TERM="xterm"))
            finally:
                os._exit(127)  # pylint: disable=protected-access
        # A program that starts slowly (under the sanitizers, on a loaded
        # machine) is given until its first output before quiet counts.
        self.settle(first=10)

    def settle(self, quiet=0.4, limit=20, first=None):
        """Reads what the program shows until it has been quiet for `quiet`
        seconds (it then waits for a key) or has ended; `first` seconds, if
        given, for the first output."""
        end = time.monotonic() + limit
        wait = quiet if first is None else first
        while time.monotonic() < end:
            ready, _, _ = select.select([self._fd], [], [], wait)
            wait = quiet
            if not ready:
                return
            try:
                data = os.read(self._fd, 65536)
            except OSError:  # the program has ended and the terminal is gone
                return
            if not data:
                return
            self.output += data

    def type(self, keys):
        """Types `keys` (bytes: b"\\r" is Return, b"\\x04" Ctrl-D)."""
        os.write(self._fd, keys)
        self.settle()

    def finish(self, timeout=20):
        """Waits for the end of the program; returns its exit status."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            pid, status = os.waitpid(self._pid, os.WNOHANG)
            if pid != 0:
                self.settle(quiet=0.1)
                os.close(self._fd)
                self.exit_status = os.waitstatus_to_exitcode(status)
                return self.exit_status
            self.settle(quiet=0.1)
        os.kill(self._pid, signal.SIGKILL)
        os.waitpid(self._pid, 0)
        os.close(self._fd)
        raise AssertionError("the program did not end; it showed:\n" + self.text())

    def text(self):
        return self.output.decode(errors="replace")
