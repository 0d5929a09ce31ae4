"""A session never destroys its own input: a report name of the file that
standard input reads, of the record file (whatever path or link leads there)
or with a control character is refused and asked again, and a record file
that is standard input is refused before anything is written."""

import os
import unittest

from program_run import FLYBACK, TO_RESULT_FILE_NAME, ProgramTest, read_bytes, write_bytes

REFUSED = ' Cannot create the file "{}": it holds the answers of this session'
CONTROL = ' Cannot create the file "{}": the name holds a control character'
ASKED_AGAIN = ("?> Name of output file [Name0001.doc] {Please enter another file name.} => "
               "result.doc")


class ReportNames(ProgramTest):

    def assert_refused(self, name, refusal, *options):
        """Runs script mode on answers.txt, which answers `name` to the result
        report's file question and then result.doc; checks that `name` was
        refused with `refusal`, asked again, and result.doc written."""
        answers = (TO_RESULT_FILE_NAME + name + "\nresult.doc\n").encode()
        write_bytes(self.path("answers.txt"), answers)
        process = self.run_program([FLYBACK, "--script", *options], stdin=self.path("answers.txt"))
        self.assertEqual(process.returncode, 0, process.stderr)
        self.assertIn(f"=> {name}\n{refusal.format(name)}\n{ASKED_AGAIN}\n",
                      process.stdout.decode(errors="replace"))
        self.assertTrue(os.path.exists(self.path("result.doc")))
        self.assertEqual(read_bytes(self.path("answers.txt")), answers)

    def test_the_file_standard_input_reads(self):
        os.symlink("answers.txt", self.path("link.txt"))
        for name in ("answers.txt", "./answers.txt", "link.txt"):
            with self.subTest(name=name):
                self.assert_refused(name, REFUSED)

    def test_the_record_file(self):
        self.assert_refused("record.txt", REFUSED, "--record", "record.txt")
        # The record holds the answers, the refused name among them (a replay
        # refuses it again), and no report.
        record = read_bytes(self.path("record.txt"))
        self.assertTrue(record.startswith(b"continue\n"), record)
        self.assertTrue(record.endswith(b"\nrecord.txt\nresult.doc\n"), record)

    def test_a_control_character(self):
        for name in ("a\0b.doc", "a\tb.doc", "a\x1bb.doc"):
            with self.subTest(name=repr(name)):
                self.assert_refused(name, CONTROL)
                self.assertFalse(os.path.exists(self.path("a")))


class RecordFile(ProgramTest):

    def test_standard_input_is_not_recorded_over(self):
        answers = (TO_RESULT_FILE_NAME + "result.doc\n").encode()
        write_bytes(self.path("s.txt"), answers)
        os.symlink("s.txt", self.path("link.txt"))
        for name in ("s.txt", "link.txt"):
            with self.subTest(name=name):
                process = self.run_program([FLYBACK, "--script", "--record", name],
                                           stdin=self.path("s.txt"))
                self.assert_ended_before_the_dialogue(
                    process, f'flyback: cannot record into "{name}": it is the file this session '
                    "reads its answers from")
                self.assertEqual(read_bytes(self.path("s.txt")), answers)


if __name__ == "__main__":
    unittest.main()
