"""The same numbers in every locale: the demonstration run with all four
reports gives the same transcript, report bytes and recorded answers under
German and French locales (decimal comma) as under C, in script mode (with
the efficiency map's file and table) and in the window."""

import locale
import os
import unittest

from program_run import DEMO_ALL_REPORTS, FLYBACK, FLYBACK_GUI, ProgramTest, read_bytes

COMMA_LOCALES = ("de_DE.UTF-8", "fr_FR.UTF-8")


def require_locale(name):
    """Fails (never skips) when the system lacks the locale: a missing one
    would make the programs fall back to C and the test prove nothing."""
    try:
        locale.setlocale(locale.LC_ALL, name)
    except locale.Error as error:
        language = name.split(".")[0]
        raise AssertionError(
            f"the locale {name} is not installed ({error}); as root run scripts/setup.sh "
            f"or: localedef -i {language} -f UTF-8 {name}") from error
    finally:
        locale.setlocale(locale.LC_ALL, "C")


class SameResultsInEveryLocale(ProgramTest):

    def outputs(self, folder):
        """Every file the run wrote (reports and the record), by name."""
        return {name: read_bytes(os.path.join(folder, name)) for name in sorted(os.listdir(folder))}

    def run_in(self, locale_name, arguments, env):
        """Runs in a folder of its own; returns (process, files written)."""
        work = self.path(locale_name + "-" + os.path.basename(arguments[0]))
        os.mkdir(work)
        env = dict(env, LC_ALL=locale_name, XDG_STATE_HOME=self.path("state-" + locale_name))
        process = self.run_program(arguments, stdin=DEMO_ALL_REPORTS, env=env, work=work)
        self.assertEqual(process.returncode, 0, process.stderr.decode())
        return process, self.outputs(work)

    def test_script_mode(self):
        # With the efficiency map as CSV and its table on standard error.
        arguments = [FLYBACK, "--script", "--record", "answers.txt", "--efficiency-map", "m.csv"]
        reference, reference_files = self.run_in("C", arguments, self.environment())
        self.assertEqual(len(reference_files), 6)  # four reports, the record and the map
        for name in COMMA_LOCALES:
            require_locale(name)
            with self.subTest(locale=name):
                process, files = self.run_in(name, arguments, self.environment())
                self.assertEqual(process.stdout, reference.stdout)
                self.assertEqual(process.stderr, reference.stderr)
                self.assertEqual(files, reference_files)

    @unittest.skipUnless(FLYBACK_GUI, "the window is not built")
    def test_window(self):
        _, script_files = self.run_in("C", [FLYBACK, "--script", "--record", "answers.txt"],
                                      self.environment())
        for name in ("C",) + COMMA_LOCALES:
            require_locale(name)
            with self.subTest(locale=name):
                _, files = self.run_in(name, [FLYBACK_GUI, "--record", "answers.txt"],
                                       self.window_environment(DEMO_ALL_REPORTS))
                self.assertEqual(files, script_files)


if __name__ == "__main__":
    unittest.main()
