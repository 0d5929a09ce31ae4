"""--advise: the adviser's table on standard error keeps every figure in
its column, whatever the design gives. The design of input voltages up to
1e30 V and an output of 1e-20 A (answers 'R×5, 1e30, R×6, 1e-20, R×10', R×n
for n Returns) ranks 81 candidates with figures beyond 1e52: their table
once held NUL bytes there, and -nan and inf where a figure is none."""

import re
import unittest

from program_run import FLYBACK, ProgramTest

ANSWERS = ("\n" * 5 + "1e30\n" + "\n" * 6 + "1e-20\n" + "\n" * 10).encode()
NOT_A_FIGURE = re.compile(rb"(?<![A-Za-z])-?(nan|inf)(?![A-Za-z])", re.IGNORECASE)


class AdviceTable(ProgramTest):

    def test_extreme_design_keeps_its_columns(self):
        run = self.run_program([FLYBACK, "--script", "--advise"], stdin=ANSWERS)
        self.assertEqual(run.returncode, 0)
        self.assertIsNone(re.search(rb"[\x00-\x09\x0b-\x1f]", run.stderr))
        self.assertIsNone(NOT_A_FIGURE.search(run.stderr))
        lines = run.stderr.decode().splitlines()
        header = next(line for line in lines if line.startswith("rank "))
        reason = header.index("  reasons")
        rows = [line for line in lines if re.match(r" +\d+ ", line)]
        self.assertEqual(len(rows), 81)
        for row in rows:
            # The last figure ends where its column does, the reason follows.
            self.assertEqual(row[reason:reason + 2], "  ", row)
            self.assertNotEqual(row[reason - 1], " ", row)


if __name__ == "__main__":
    unittest.main()
