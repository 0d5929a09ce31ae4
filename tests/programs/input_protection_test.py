"""A session never destroys its own input, nor waits on a report: a report
name of the file that standard input reads, of the record file (whatever path
or link leads there, and for a pipe its descriptor names), with a control
character, or of a FIFO, a device or a socket is refused and asked again, and
a record file that is standard input is refused before anything is written."""

import os
import socket
import stat
import unittest

from program_run import FLYBACK, TO_RESULT_FILE_NAME, ProgramTest, read_bytes, write_bytes

GOLDEN = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data")
# The names by which a program reaches its standard input, a pipe included.
STANDARD_INPUT_NAMES = ("/dev/stdin", "/proc/self/fd/0")

REFUSED = ' Cannot create the file "{}": it holds the answers of this session'
CONTROL = ' Cannot create the file "{}": the name holds a control character'
NOT_REGULAR = ' Cannot create the file "{}": it is not a regular file'
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

    def test_a_fifo_a_device_or_a_socket(self):
        # A FIFO without a reader would hold the dialogue for ever; the run's
        # timeout catches that.
        device = self.device()
        os.mkfifo(self.path("fifo"))
        with socket.socket(socket.AF_UNIX) as listener:
            listener.bind(self.path("socket"))
            for name in ("fifo", device, "socket"):
                with self.subTest(name=name):
                    self.assert_refused(name, NOT_REGULAR)
        self.assertTrue(stat.S_ISFIFO(os.stat(self.path("fifo")).st_mode))
        self.assertTrue(stat.S_ISCHR(os.stat(device).st_mode))

    def test_a_control_character(self):
        for name in ("a\0b.doc", "a\tb.doc", "a\x1bb.doc"):
            with self.subTest(name=repr(name)):
                self.assert_refused(name, CONTROL)
                self.assertFalse(os.path.exists(self.path("a")))


class PipedAnswers(ProgramTest):

    def test_the_names_of_standard_input_are_refused(self):
        """The three-output demonstration case of the golden runs, piped, with
        the names of standard input typed before its first report name: both
        are refused, and from there the run is the golden one. A report
        written into the pipe would come back as answers."""
        case = os.path.join(GOLDEN, "report-demo")
        answers = read_bytes(os.path.join(case, "answers.txt")).decode()
        self.assertTrue(answers.startswith(TO_RESULT_FILE_NAME))
        typed = "".join(name + "\n" for name in STANDARD_INPUT_NAMES)
        piped = TO_RESULT_FILE_NAME + typed + answers[len(TO_RESULT_FILE_NAME):]
        process = self.run_program([FLYBACK, "--script"], piped.encode())
        self.assertEqual(process.returncode, 0, process.stderr)

        question = "?> Name of output file [Name0001.doc] "
        again = question + "{Please enter another file name.} "
        refusals = "".join(f"=> {name}\n{REFUSED.format(name)}\n{again}"
                           for name in STANDARD_INPUT_NAMES)
        golden = read_bytes(os.path.join(case, "transcript.txt")).decode("latin-1")
        first_name = question + "=> Name0001.doc\n"
        self.assertIn(first_name, golden)
        expected = golden.replace(first_name, question + refusals + "=> Name0001.doc\n", 1)
        self.assertEqual(process.stdout.decode("latin-1"), expected)
        reports = sorted(name for name in os.listdir(case) if name.endswith(".doc"))
        self.assertEqual(sorted(os.listdir(self.folder)), reports)
        for name in reports:
            self.assertEqual(read_bytes(self.path(name)), read_bytes(os.path.join(case, name)),
                             name)


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

    def test_a_piped_standard_input_is_not_written_to(self):
        answers = (TO_RESULT_FILE_NAME + "result.doc\n").encode()
        for name in STANDARD_INPUT_NAMES:
            with self.subTest(option="--record", name=name):
                process = self.run_program([FLYBACK, "--script", "--record", name], answers)
                self.assert_ended_before_the_dialogue(
                    process, f'flyback: cannot record into "{name}": it is the file this '
                    "session reads its answers from")
            for option in ("--export", "--bom", "--netlist", "--design-report"):
                with self.subTest(option=option, name=name):
                    process = self.run_program([FLYBACK, "--script", option, name], answers)
                    self.assert_ended_before_the_dialogue(
                        process, f'flyback: cannot write "{name}": it holds the answers of this '
                        "session")


if __name__ == "__main__":
    unittest.main()
