"""The design report (--design-report) of the three-output demonstration
design with its result report and component list: it parses as HTML5 with
the strict parser and fetches nothing; Chromium prints it on at most four A4
pages with no table cut; the key figures, the winding sheet and the parts
list are in the print; a name and a date outside ASCII come through; and
every figure of the result screen stands in it with its formula and its
values. Needs chromium, poppler-utils and python3-html5lib
(scripts/setup.sh)."""

import csv
import os
import re
import shutil
import subprocess
import tempfile
import unittest

import html5lib

from program_run import FLYBACK

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GOLDEN = os.path.join(SOURCE, "tests", "data")

NAME = "Netzteil µ-Ω² 5 €"
DATE = "9 décembre 2026"
# Return at every question to the result screen, "1" there for the main
# menu, "Print the result" with the date, the name and the default file
# name, then "Print list of components" with the default filter and file
# name.
ANSWERS = "\n" * 23 + "1\n" + "2\n" + DATE + "\n" + NAME + "\n\n" + "3\n\n\n"

A4_PAGES = 4

# The values put into each formula are the calculation's quantities for
# this design, to five significant digits: D_max 0.42293, I_in_avg 0.88690 A,
# I_D_max 4.1941 A, n_prim 53.333, q_D 1.25187, U_ts 1.9063 V, U_bus_max
# 420.02 V, L_prim 540.44 µH, t_on 17.808 µs, t_off 22.294 µs, fsntmin
# 23.749 kHz; R_DSon of the QMP03N60X5 is 1.4 Ω.
# Each line of the result screen, by the text before its figures: the rows
# of the report that give its figures, in the order the line shows them,
# each as (figure, formula, values, result with {} for the screen's number).
SCREEN_LINES = [
    ("Core = SMT 31/190 (Orega), AL =", [
        ("Core = SMT 31/190 (Orega)", "AL, Ae = as entered", "", "{} nH, {} mm²")]),
    ("Input- voltage- range", [
        ("Input- voltage- range", "U_mains = as entered", "", "{} V to {} V")]),
    ("Primary inductivity", [
        ("Primary inductivity", "L_prim (whole turns) = n_prim² · AL", "53² · 190 nH", "{} µH")]),
    ("Max. magnetization,", [
        ("Lowest SMPS- frequency", "fsntmin = 1000 / ((t_on + t_off) · k_T)",
         "1000 / ((17.808 µs + 22.294 µs) · 1.05)", "{} kHz"),
        ("Max. magnetization", "Bmax = n_prim · I_D_max · AL / Ae",
         "53.333 · 4.1941 A · 190 nH / 125 mm²", "{} mT")]),
    ("Max. input- / outputpower", [
        ("Max. inputpower", "P_in_max = P_out_max / η", "76 W / 0.85", "{} W"),
        ("Max. outputpower", "P_out_max = Σ Umax(i) · Imax(i)",
         "101 V · 0.5 A + 16.5 V · 1 A + 9 V · 1 A", "{} W")]),
    ("Max. cond. loss in QMP03N60X5", [
        ("Max. cond. loss in QMP03N60X5",
         "P_cond = 2 · R_DSon · I_D_max² · t_on / (3 · (t_on + t_off))",
         "2 · 1.4 Ω · (4.1941 A)² · 17.808 µs / (3 · (17.808 µs + 22.294 µs))", "{} W")]),
    ("Induced voltage in prim. winding", [
        ("Induced voltage in prim. winding", "U_ind = U_ts · n_prim", "1.9063 V · 53.333",
         "{} V")]),
    ("Max. drain voltage", [
        ("Max. drain voltage", "U_D_max = U_bus_max + n_prim · U_ts · k_os",
         "420.02 V + 53.333 · 1.9063 V · 1.75", "{} V")]),
    # The line names fsntmin to whole kHz (24); its row is on the
    # magnetization line.
    ("Max. drain current, 24 kHz", [
        ("Max. drain current", "I_D_max = 2 · I_in_avg / D_max", "2 · 0.8869 A / 0.42293",
         "{} A")]),
    ("Lowest SMPS- frequency / long. per.", [
        ("Lowest SMPS- frequency", "fsntmin = 1000 / ((t_on + t_off) · k_T)",
         "1000 / ((17.808 µs + 22.294 µs) · 1.05)", "{} kHz"),
        ("Longest period", "T_max = 1000 / fsntmin", "1000 / 23.749 kHz", "{} µs")]),
    ("Sec. voltage per turn", [
        ("Sec. voltage per turn", "U_ts = U_mains_min · √2 / (n_prim · q_D)",
         "90 V · √2 / (53.333 · 1.2519)", "{} V")]),
    ("Max. switch on time", [
        ("Max. switch on time", "t_on = L_prim · I_D_max / (U_mains_min · √2)",
         "540.44 µH · 4.1941 A / (90 V · √2)", "{} µs")]),
]


def text_of(element):
    return re.sub(r"\s+", " ", "".join(element.itertext())).strip()


def squeezed(text):
    """The text without any white space: a table cell that wraps in the
    print still reads the same."""
    return re.sub(r"\s+", "", text)


def result_screen_lines():
    with open(os.path.join(GOLDEN, "demo-3-outputs", "transcript.txt"), encoding="utf-8") as file:
        lines = file.read().splitlines()
    start = lines.index("    Result:")
    end = next(i for i in range(start, len(lines)) if lines[i].startswith("    Giving out"))
    return [line.strip() for line in lines[start + 1:end] if line.strip()]


class PrintedReport:
    """The report the program writes for `answers` with the further
    `options`, its HTML tree, and its print by headless Chromium: the page
    count, the page size and the text of every page."""

    def __init__(self, folder, answers, options=(), timeout=60):
        report = os.path.join(folder, "report.html")
        subprocess.run([FLYBACK, "--script", "--design-report", report, *options], cwd=folder,
                       input=answers.encode(), stdout=subprocess.DEVNULL, check=False,
                       timeout=timeout, env={"PATH": os.environ.get("PATH", "/usr/bin")})
        with open(report, "rb") as file:
            self.html = file.read()
        self.tree = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False).parse(self.html)
        pdf = os.path.join(folder, "report.pdf")
        subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu",
                        "--no-pdf-header-footer", "--user-data-dir=" + folder + "/chromium",
                        "--print-to-pdf=" + pdf, "file://" + report],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                       timeout=120)
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True)
        self.page_count = int(re.search(r"^Pages:\s+(\d+)", info.stdout, re.M).group(1))
        self.page_size = re.search(r"^Page size:.*$", info.stdout, re.M).group(0)
        self.pages = [subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), pdf, "-"],
                                     capture_output=True, text=True, check=True).stdout
                      for page in range(1, self.page_count + 1)]


class DesignReportTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="flyback-report-")
        printed = PrintedReport(cls.folder, ANSWERS)
        cls.html = printed.html
        cls.tree = printed.tree
        cls.page_count = printed.page_count
        cls.page_size = printed.page_size
        cls.pages = printed.pages

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder, ignore_errors=True)

    def derivation_rows(self):
        rows = {}
        for row in self.tree.iter("tr"):
            cells = [text_of(cell) for cell in row.findall("td")]
            if len(cells) == 4 and row.get("class") in ("shown", "step"):
                rows.setdefault(cells[0], cells[1:])
        return rows

    def test_is_one_self_contained_file(self):
        text = self.html.decode("utf-8")
        for pattern in (r"<script", r"<link", r"\ssrc=", r"\shref=", r"url\(", r"@import",
                        r"<iframe", r"<img"):
            self.assertIsNone(re.search(pattern, text, re.I), pattern)

    def test_the_name_and_date_come_through(self):
        self.assertEqual(text_of(self.tree.find(".//h1")), "Flyback design report: " + NAME)
        self.assertIn("Date: " + DATE, [text_of(p) for p in self.tree.iter("p")])
        first_page = squeezed(self.pages[0])
        self.assertIn(squeezed(NAME), first_page)
        self.assertIn(squeezed(DATE), first_page)

    def test_prints_on_at_most_four_a4_pages(self):
        self.assertTrue(self.page_size.endswith("(A4)"), self.page_size)
        self.assertLessEqual(self.page_count, A4_PAGES)

    def test_the_print_holds_key_figures_winding_sheet_and_parts_list(self):
        printed = squeezed("".join(self.pages))
        # Result screen and winding table of the demonstration design.
        for figure in ("534 µH", "340 mT", "598 V", "4.19 A", "23.7 kHz", "42.1 µs", "1.91 V",
                       "17.8 µs", "16.46 V", "100.04 V", "16.16 V", "8.53 V", "125 mm²"):
            self.assertIn(squeezed(figure), printed, figure)
        for heading in ("Winding sheet", "Insulation", "Primary inductance", "Airgap",
                        "Parts list", "Loss budget"):
            self.assertIn(squeezed(heading), printed, heading)
        with open(os.path.join(GOLDEN, "components-demo", "parts.csv"), encoding="utf-8") as file:
            designators = [row[0] for row in csv.reader(file)][1:]
        self.assertGreater(len(designators), 30)
        parts_pages = [text for text in self.pages if "Parts list" in text]
        self.assertEqual(len(parts_pages), 1)
        for designator in designators:
            self.assertIn(designator, parts_pages[0])

    def test_no_table_is_cut(self):
        # Each table's first and last rows are found on one page, searching
        # the pages in order from where the previous table was found.
        page_of = []
        printed = ""
        for number, text in enumerate(self.pages):
            squeezed_text = squeezed(text)
            printed += squeezed_text
            page_of.extend([number] * len(squeezed_text))
        position = 0
        tables = list(self.tree.iter("table"))
        self.assertGreater(len(tables), 8)
        for table in tables:
            rows = table.find("tbody").findall("tr")
            first = squeezed(text_of(rows[0].find("td")))[:10]
            last = squeezed(text_of(rows[-1].find("td")))[:10]
            start = printed.find(first, position)
            self.assertGreaterEqual(start, 0, first)
            end = printed.find(last, start)
            self.assertGreaterEqual(end, 0, last)
            self.assertEqual(page_of[start], page_of[end], f"table from {first} to {last}")
            position = end

    def test_every_figure_of_the_result_screen_is_worked_out(self):
        rows = self.derivation_rows()
        lines = result_screen_lines()
        self.assertEqual(len(lines), len(SCREEN_LINES))
        for line, (label, expected_rows) in zip(lines, SCREEN_LINES):
            with self.subTest(line=line):
                self.assertTrue(line.startswith(label), label)
                numbers = re.findall(r"\d+(?:\.\d+)?", line[len(label):])
                templates = [expected[3] for expected in expected_rows]
                self.assertEqual(len(numbers), sum(t.count("{}") for t in templates))
                for figure, formula, values, result in expected_rows:
                    count = result.count("{}")
                    shown = result.format(*numbers[:count])
                    numbers = numbers[count:]
                    self.assertIn(figure, rows)
                    self.assertEqual(rows[figure], [formula, values, shown])


if __name__ == "__main__":
    unittest.main()
