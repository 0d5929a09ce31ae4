"""No crash when no window can be opened: flyback-gui says so in one line and
ends with status 2; flyback falls back to the terminal, or, without a
terminal, says what to use instead."""

import os
import unittest

from program_run import FLYBACK, FLYBACK_GUI, ProgramTest, Terminal, free_x_display

MISSING_WAYLAND = "flyback-test-no-compositor"


@unittest.skipUnless(FLYBACK_GUI, "the window is not built")
class NoDisplay(ProgramTest):

    def displays(self):
        """(environment changes, how the lines name the display): an X
        display without a server, and only a Wayland socket that is missing."""
        x11 = free_x_display()
        runtime = self.path("runtime")
        os.mkdir(runtime, 0o700)
        return [({"DISPLAY": x11}, f'"{x11}"'),
                ({"WAYLAND_DISPLAY": MISSING_WAYLAND, "XDG_RUNTIME_DIR": runtime},
                 f'"{MISSING_WAYLAND}"')]

    def test_window_program_says_it_in_one_line(self):
        for changes, name in self.displays():
            with self.subTest(display=name):
                process = self.run_program([FLYBACK_GUI], env=self.environment(**changes))
                self.assert_ended_before_the_dialogue(
                    process, f"flyback-gui: cannot open the display {name}")
                self.assertFalse(os.path.exists(self.state_home))  # nothing started

    def test_explicit_window_does_not_fall_back(self):
        for changes, name in self.displays():
            with self.subTest(display=name):
                process = self.run_program([FLYBACK, "--gui"], env=self.environment(**changes))
                self.assert_ended_before_the_dialogue(
                    process, f"flyback-gui: cannot open the display {name}")

    def test_launcher_without_terminal_suggests_script_mode(self):
        for changes, name in self.displays():
            with self.subTest(display=name):
                process = self.run_program([FLYBACK], env=self.environment(**changes))
                self.assert_ended_before_the_dialogue(
                    process, f"flyback: cannot open the display {name}, and standard input is not a "
                    "terminal ('flyback --script' reads answers from it)")

    def test_launcher_falls_back_to_the_terminal(self):
        for changes, name in self.displays():
            with self.subTest(display=name):
                terminal = Terminal([FLYBACK], self.environment(**changes), self.folder)
                self.assertTrue(
                    terminal.text().startswith(
                        f"flyback: cannot open the display {name}; using the terminal\r\n"),
                    terminal.text())
                self.assertIn("continue with OK", terminal.text())
                terminal.type(b"\r")
                terminal.type(b"\x04")  # Ctrl-D at "Number of secondary outputs"
                self.assertEqual(terminal.finish(), 0)
                with open(self.session_file, encoding="ascii") as answers:
                    self.assertEqual(answers.read(), "continue\n")


class NoDisplayNamed(ProgramTest):

    def test_launcher_without_display_and_terminal_suggests_script_mode(self):
        self.assert_ended_before_the_dialogue(
            self.run_program([FLYBACK]),
            "flyback: no display is set (DISPLAY, WAYLAND_DISPLAY), and standard input is not a "
            "terminal ('flyback --script' reads answers from it)")


if __name__ == "__main__":
    unittest.main()
