"""The command line: an option without its FILE says so, conflicting modes
are refused, and both --help texts list the exit statuses."""

import unittest

from program_run import FLYBACK, FLYBACK_GUI, ProgramTest

EXIT_STATUSES = ("Exit status: 0 the user ended the dialogue", "1 an input or output failed",
                 "2 a bad command line")


class CommandLine(ProgramTest):

    def programs(self):
        return [FLYBACK, FLYBACK_GUI] if FLYBACK_GUI else [FLYBACK]

    def test_option_without_its_file(self):
        for program in self.programs():
            for arguments in (["--record"], ["--resume"], ["--record", "--resume", "x"],
                              ["--record="]):
                with self.subTest(program=program, arguments=arguments):
                    process = self.run_program([program, *arguments])
                    self.assertEqual(process.returncode, 2)
                    first_line = process.stderr.decode().splitlines()[0]
                    self.assertRegex(first_line, r"^flyback(-gui)?: the option --re(cord|sume) "
                                     "needs a FILE$")

    def test_record_with_its_file_after_an_equals_sign(self):
        process = self.run_program([FLYBACK, "--script", "--record=r.txt"], stdin=b"\n")
        self.assertEqual(process.returncode, 0)
        with open(self.path("r.txt"), encoding="ascii") as record:
            self.assertEqual(record.read(), "continue\n")

    def test_two_modes(self):
        self.assert_ended_before_the_dialogue(self.run_program([FLYBACK, "--script", "--gui"]),
                                              "flyback: choose one of --script, --tty and --gui")

    def test_help_lists_the_exit_statuses(self):
        for program in self.programs():
            with self.subTest(program=program):
                process = self.run_program([program, "--help"])
                self.assertEqual(process.returncode, 0)
                text = " ".join(process.stdout.decode().split())
                for status in EXIT_STATUSES:
                    self.assertIn(status, text)


if __name__ == "__main__":
    unittest.main()
