"""Failures are never reported as success: a transcript, a record file or a
standard input that fails ends the program at once with one line naming the
stream and the reason, and status 1; report files already written keep their
contents. The end of input stays the user's cancel (status 0)."""

import os
import resource
import signal
import unittest

from program_run import DEMO_ALL_REPORTS, FLYBACK, FLYBACK_GUI, ProgramTest, read_bytes

TRANSCRIPT = "flyback: cannot write the transcript to standard output: "
ANSWERS = "flyback: cannot read the answers from standard input: "


def limit_file_size(limit):
    """What the child runs to write no file beyond `limit` bytes: a longer
    write fails with EFBIG ("File too large") rather than ending it."""

    def limit_now():
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)

    return limit_now


class ScriptStreams(ProgramTest):

    def test_end_of_input_is_a_cancel(self):
        process = self.run_program([FLYBACK, "--script"], stdin=b"\n")
        self.assertEqual(process.returncode, 0)
        self.assertEqual(process.stderr, b"")
        self.assertTrue(process.stdout.endswith(b"[3] => <cancel>\n"))

    def test_transcript_to_a_full_disk(self):
        with open("/dev/full", "wb") as full:
            process = self.run_program([FLYBACK, "--script"], stdin=DEMO_ALL_REPORTS,
                                       preexec=lambda: os.dup2(full.fileno(), 1))
        self.assertEqual(process.returncode, 1)
        self.assert_one_line(process.stderr, TRANSCRIPT + "No space left on device")

    def test_closed_standard_output(self):
        process = self.run_program([FLYBACK, "--script"], stdin=DEMO_ALL_REPORTS, closed=(1,))
        self.assertEqual(process.returncode, 1)
        self.assert_one_line(process.stderr, TRANSCRIPT + "Bad file descriptor")
        self.assertEqual(os.listdir(self.folder), [])  # no report took its place

    def test_reports_written_before_the_failure_keep_their_contents(self):
        # A file size limit of 12000 bytes: the transcript (about 17600 bytes)
        # fails after the third report; the reports (below 3300 bytes) do not.
        reference = self.path("reference")
        os.mkdir(reference)
        self.run_program([FLYBACK, "--script"], stdin=DEMO_ALL_REPORTS, work=reference)

        limited = self.path("limited")
        os.mkdir(limited)
        with open(os.path.join(limited, "transcript.txt"), "wb") as transcript:
            process = self.run_program([FLYBACK, "--script"], stdin=DEMO_ALL_REPORTS, work=limited,
                                       preexec=lambda: (os.dup2(transcript.fileno(), 1),
                                                        limit_file_size(12000)()))
        self.assertEqual(process.returncode, 1)
        self.assert_one_line(process.stderr, TRANSCRIPT + "File too large")
        reports = sorted(set(os.listdir(limited)) - {"transcript.txt"})
        self.assertEqual(reports, ["Name0001.doc", "Name0002.doc", "Name0003.doc"])
        for name in reports:
            self.assertEqual(read_bytes(os.path.join(limited, name)),
                             read_bytes(os.path.join(reference, name)), name)

    def test_standard_input_that_cannot_be_read(self):
        for stdin, closed, reason in ((self.folder, (), "Is a directory"),
                                      (b"", (0,), "Bad file descriptor")):
            with self.subTest(reason=reason):
                process = self.run_program([FLYBACK, "--script"], stdin=stdin, closed=closed)
                self.assertEqual(process.returncode, 1)
                self.assert_one_line(process.stderr, ANSWERS + reason)
                self.assertNotIn(b"<cancel>", process.stdout)


class RecordFile(ProgramTest):

    # A file size limit of 4 bytes: the record file can be created, but not
    # hold the first answer ("continue").
    def test_record_file_that_cannot_be_written_in_script_mode(self):
        process = self.run_program([FLYBACK, "--script", "--record", "record.txt"],
                                   stdin=DEMO_ALL_REPORTS, preexec=limit_file_size(4))
        self.assertEqual(process.returncode, 1)
        self.assert_one_line(process.stderr,
                             'flyback: cannot write the record file "record.txt": File too large')
        # The first answer could not be kept: the dialogue went no further,
        # and the file holds what it held before, whole.
        self.assertTrue(process.stdout.endswith(b"=> continue\n"), process.stdout[-200:])
        self.assertEqual(read_bytes(self.path("record.txt")), b"")

    @unittest.skipUnless(FLYBACK_GUI, "the window is not built")
    def test_record_file_that_cannot_be_written_in_the_window(self):
        process = self.run_program([FLYBACK_GUI, "--record", "record.txt"],
                                   env=self.window_environment(DEMO_ALL_REPORTS),
                                   preexec=limit_file_size(4))
        self.assertEqual(process.returncode, 1)
        self.assertIn(b'flyback-gui: cannot write the record file "record.txt": '
                      b"File too large\n", process.stderr)
        # No report was reached.
        self.assertEqual(sorted(os.listdir(self.folder)), ["record.txt", "state"])

    def test_record_to_a_device_is_refused_before_the_dialogue(self):
        device = self.device()
        self.assert_ended_before_the_dialogue(
            self.run_program([FLYBACK, "--script", "--record", device], stdin=DEMO_ALL_REPORTS),
            f'flyback: cannot write "{device}": it is not a regular file')

    def test_record_file_that_cannot_be_created(self):
        self.assert_ended_before_the_dialogue(
            self.run_program([FLYBACK, "--script", "--record", "missing/record.txt"]),
            'flyback: cannot create the record file "missing/record.txt": No such file or '
            "directory")


if __name__ == "__main__":
    unittest.main()
