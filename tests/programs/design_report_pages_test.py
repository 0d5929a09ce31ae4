"""How many A4 pages the design report of the three-output demonstration
design prints on after the optimization of the output voltages to
269.5 mT, with the result report and the component list: at most four, as
without the optimization, and the sweep's best row shares its page with the
sweep. Simulated and with the core adviser's ranking (--simulate --advise)
it prints on at most five, its efficiency over line and load, simulation
and ranking whole, as the demonstration design without the optimization
does. Needs chromium, poppler-utils, python3-html5lib and ngspice
(scripts/setup.sh)."""

import shutil
import tempfile
import unittest

from design_report_test import ANSWERS, DATE, NAME, PrintedReport, squeezed

# Return at every question to the result screen, "1" there for the main
# menu and "1" for the optimization from 300 mT, printed with the date, the
# name and the default file name; "Continue?" twice, "1" to end the list;
# Bmax 0 is refused, 269.5 mT calculated; "1" for the main menu, "2" for the
# result report with the default file name, "3" for the component list with
# the default filter and file name.
OPTIMIZED = ("\n" * 23 + "1\n1\n\n1\n" + DATE + "\n" + NAME + "\n\n\n\n1\n0\n269.5\n1\n"
             + "2\n\n3\n\n\n")

A4_PAGES = 4
# With the simulation's comparison and the ranking of the alternative cores.
A4_PAGES_SIMULATED_ADVISED = 5


class OptimizedReportPages(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="flyback-report-pages-")

    def tearDown(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def test_optimized_design_prints_on_four_pages_with_the_best_row_by_its_sweep(self):
        printed = PrintedReport(self.folder, OPTIMIZED)
        self.assertTrue(printed.page_size.endswith("(A4)"), printed.page_size)
        self.assertLessEqual(printed.page_count, A4_PAGES)
        sweep_pages = [number for number, text in enumerate(printed.pages)
                       if squeezed("Optimization of the output voltages") in squeezed(text)]
        best_pages = [number for number, text in enumerate(printed.pages)
                      if squeezed("Best row:") in squeezed(text)]
        self.assertEqual(len(best_pages), 1)
        self.assertEqual(sweep_pages, best_pages)
        self.assertTrue(any("Parts list" in text for text in printed.pages))


class SimulatedAdvisedReportPages(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="flyback-report-pages-")

    def tearDown(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def assert_five_pages_with_every_section(self, answers, titles):
        # Two simulations in ngspice: minutes on a busy machine.
        printed = PrintedReport(self.folder, answers, ("--simulate", "--advise"), timeout=600)
        self.assertLessEqual(printed.page_count, A4_PAGES_SIMULATED_ADVISED)
        printed_text = squeezed("".join(printed.pages))
        for title in ("Efficiency over line and load", "Parts list", "Alternative cores",
                      "Simulation beside the calculation", *titles):
            self.assertIn(squeezed(title), printed_text)

    def test_simulated_advised_design_prints_on_five_pages_with_every_section(self):
        self.assert_five_pages_with_every_section(ANSWERS, ())

    def test_optimized_simulated_advised_design_prints_on_five_pages_too(self):
        self.assert_five_pages_with_every_section(
            OPTIMIZED, ("Optimization of the output voltages", "Best row:"))

if __name__ == "__main__":
    unittest.main()
