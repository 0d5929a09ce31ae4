"""Nothing lost by a stray Return or a cancel: the window and the terminal
keep the answers of the running session (and of the one before) in the state
folder, written as each answer is taken; --resume takes a file's answers
first, as script mode reads them, and goes on from the question where the
file ends; the terminal's last line says where the answers are and how to
resume them."""

import os
import unittest

from program_run import (FLYBACK, FLYBACK_GUI, TO_MAIN_MENU, ProgramTest, Terminal, read_bytes,
                         write_bytes)

# The default answer of the decimal-point note, the question after the number
# of outputs.
DECIMAL_NOTE = "Please use '.' and not ',' for all inputs, e.g. 99.5 instead of 99,5"


class TerminalSession(ProgramTest):

    def resume_hint(self, path):
        return (f"flyback: the answers of this session are in {path}; "
                f"to go on from where it ended: flyback --resume {path}")

    def run_terminal(self, keys, *options):
        terminal = Terminal([FLYBACK, "--tty", *options], self.environment(), self.folder)
        for key in keys:
            terminal.type(key)
        self.assertEqual(terminal.finish(), 0, terminal.text())
        return terminal.text()

    def test_answers_are_kept_and_the_last_line_says_how_to_resume(self):
        shown = self.run_terminal([b"\r", b"4\r", b"\x04"])
        self.assertEqual(read_bytes(self.session_file), b"continue\n4\n")
        self.assertTrue(shown.rstrip().endswith(self.resume_hint(self.session_file)), shown)

    def test_the_session_before_is_kept_as_the_previous_one(self):
        self.run_terminal([b"\r", b"4\r", b"\x04"])
        self.run_terminal([b"\x04"])
        self.assertEqual(read_bytes(self.previous_session_file), b"continue\n4\n")
        self.assertEqual(read_bytes(self.session_file), b"")

    def test_resume_goes_on_at_the_question_where_the_file_ends(self):
        self.run_terminal([b"\r", b"4\r", b"\x04"])
        shown = self.run_terminal([b"\r", b"\x04"], "--resume", self.session_file)
        # The resumed answers, then Return on the decimal-point note; the
        # first session is now the previous one.
        self.assertEqual(read_bytes(self.session_file),
                         ("continue\n4\n" + DECIMAL_NOTE + "\n").encode())
        self.assertEqual(read_bytes(self.previous_session_file), b"continue\n4\n")
        self.assertIn("Minimum output voltage V1", shown)  # the question after the note
        self.assertTrue(shown.rstrip().endswith(self.resume_hint(self.session_file)), shown)

    def test_a_state_folder_that_cannot_be_written(self):
        write_bytes(self.path("file"), b"")
        terminal = Terminal([FLYBACK, "--tty"], self.environment(XDG_STATE_HOME=self.path("file")),
                            self.folder)
        message = (f'flyback: cannot keep the answers of this session in "{self.path("file")}'
                   '/flyback": Not a directory')
        self.assertTrue(terminal.text().startswith(message + "\r\n"), terminal.text())
        terminal.type(b"\r")  # the dialogue runs
        terminal.type(b"\x04")
        self.assertEqual(terminal.finish(), 0)
        self.assertIn("Number of secondary outputs", terminal.text())
        self.assertNotIn("--resume", terminal.text())


@unittest.skipUnless(FLYBACK_GUI, "the window is not built")
class WindowSession(ProgramTest):

    def run_window(self, answers, *options, **changes):
        write_bytes(self.path("answers.txt"), answers)
        return self.run_program([FLYBACK_GUI, *options],
                                env=self.window_environment(self.path("answers.txt"), **changes))

    def test_answers_are_kept(self):
        process = self.run_window(b"\n4\n")
        self.assertEqual(process.returncode, 0, process.stderr)
        self.assertEqual(read_bytes(self.session_file), b"continue\n4\n")

    def test_resume_starts_the_dialogue_and_goes_on_where_the_file_ends(self):
        write_bytes(self.path("first.txt"), b"\n4\n")
        process = self.run_window(b"\n", "--resume", "first.txt", "--record", "record.txt")
        self.assertEqual(process.returncode, 0, process.stderr)
        expected = ("continue\n4\n" + DECIMAL_NOTE + "\n").encode()
        self.assertEqual(read_bytes(self.path("record.txt")), expected)
        self.assertEqual(read_bytes(self.session_file), expected)

    def test_a_state_folder_that_cannot_be_written(self):
        write_bytes(self.path("file"), b"")
        process = self.run_window(b"\n4\n", "--record", "record.txt",
                                  XDG_STATE_HOME=self.path("file"))
        self.assertEqual(process.returncode, 0)
        self.assertIn((f'flyback-gui: cannot keep the answers of this session in '
                       f'"{self.path("file")}/flyback": Not a directory\n').encode(),
                      process.stderr)
        self.assertEqual(read_bytes(self.path("record.txt")), b"continue\n4\n")


class ScriptSession(ProgramTest):

    def test_script_mode_keeps_no_session_file(self):
        self.run_program([FLYBACK, "--script"], stdin=b"\n4\n")
        self.assertFalse(os.path.exists(self.state_home))

    def test_resume_reads_the_file_first_then_standard_input(self):
        first, rest = TO_MAIN_MENU, "2\n\n\nresult.doc\n"
        write_bytes(self.path("first.txt"), first.encode())
        resumed = self.run_program([FLYBACK, "--script", "--resume", "first.txt", "--record",
                                    "resumed.txt"], stdin=rest.encode())
        whole = self.run_program([FLYBACK, "--script", "--record", "whole.txt"],
                                 stdin=(first + rest).encode())
        self.assertEqual(resumed.returncode, 0, resumed.stderr)
        self.assertEqual(resumed.stdout, whole.stdout)
        self.assertEqual(read_bytes(self.path("resumed.txt")), read_bytes(self.path("whole.txt")))

    def test_resume_and_record_into_the_same_file(self):
        write_bytes(self.path("design.txt"), b"\n4\n")
        process = self.run_program([FLYBACK, "--script", "--resume", "design.txt", "--record",
                                    "design.txt"], stdin=b"\n")
        self.assertEqual(process.returncode, 0, process.stderr)
        self.assertEqual(read_bytes(self.path("design.txt")),
                         ("continue\n4\n" + DECIMAL_NOTE + "\n").encode())

    def test_resume_file_that_cannot_be_read(self):
        self.assert_ended_before_the_dialogue(
            self.run_program([FLYBACK, "--script", "--resume", "missing.txt"]),
            'flyback: cannot read the resume file "missing.txt": No such file or directory')


if __name__ == "__main__":
    unittest.main()
