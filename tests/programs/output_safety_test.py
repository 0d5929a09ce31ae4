"""The four output files (--export, --bom, --netlist, --design-report) and
the record file in a folder that others may write to: nothing planted there
is written through, a device, FIFO, folder or socket in an output's place is
refused before the dialogue, a link to a file replaces that file, the longest
name the file system takes can be written, also with SIGCHLD ignored, and a
run ended by a signal at any moment leaves no temporary file and no
half-written output."""

import concurrent.futures
import csv
import io
import json
import os
import random
import signal
import socket
import stat
import subprocess
import time
import unittest

from program_run import FLYBACK, ProgramTest, read_bytes, write_bytes

# The demonstration design with the result report and the component list:
# every output is written, most of them several times.
DEMO_WITH_LIST = "\n" * 23 + "1\n" + "2\n\n\n\n" + "3\n\n\n"
OUTPUTS = {"--export": "d.json", "--bom": "b.csv", "--netlist": "n.cir",
           "--design-report": "r.html"}
ALL_OUTPUTS = [word for option, name in OUTPUTS.items() for word in (option, name)]


def valid_output(name, data):
    """Whether `data` is a whole `name` as the program writes it: each file
    type ends in its own way, and a cut one does not."""
    text = data.decode("utf-8")
    if name.endswith(".json"):
        return json.loads(text)["format"] == "flyback-design"
    if name.endswith(".csv"):
        rows = list(csv.reader(io.StringIO(text, newline=""), strict=True))
        return text.endswith("\n") and all(len(row) == len(rows[0]) for row in rows)
    if name.endswith(".cir"):
        return text.endswith("\n.end\n")
    return text.endswith("</html>\n")


class PlantedNames(ProgramTest):

    def test_a_link_where_a_temporary_file_was_once_named_is_not_written_through(self):
        # Earlier versions wrote to NAME.tmpPID through whatever was there.
        write_bytes(self.path("victim"), b"precious\n")
        process = self.run_program(
            [FLYBACK, "--script", "--export", "d.json"], b"\n" * 30,
            preexec=lambda: os.symlink("victim", f"d.json.tmp{os.getpid()}"))
        self.assertEqual(process.returncode, 0, process.stderr)
        self.assertEqual(read_bytes(self.path("victim")), b"precious\n")
        self.assertTrue(valid_output("d.json", read_bytes(self.path("d.json"))))

    def test_a_link_to_a_file_replaces_that_file_in_its_folder(self):
        os.mkdir(self.path("elsewhere"))
        write_bytes(self.path("elsewhere", "target.html"), b"old\n")
        os.symlink(os.path.join("elsewhere", "target.html"), self.path("link.html"))
        process = self.run_program([FLYBACK, "--script", "--design-report", "link.html"],
                                   b"\n" * 30)
        self.assertEqual(process.returncode, 0, process.stderr)
        self.assertEqual(os.readlink(self.path("link.html")), "elsewhere/target.html")
        self.assertTrue(valid_output("r.html", read_bytes(self.path("elsewhere", "target.html"))))
        self.assertEqual(os.listdir(self.path("elsewhere")), ["target.html"])

    def test_a_name_of_255_bytes(self):
        names = {option: "o" * (255 - len(name)) + name for option, name in OUTPUTS.items()}
        process = self.run_program(
            [FLYBACK, "--script", *[w for option, name in names.items() for w in (option, name)]],
            DEMO_WITH_LIST.encode())
        self.assertEqual(process.returncode, 0, process.stderr)
        for name in names.values():
            self.assertTrue(valid_output(name, read_bytes(self.path(name))), name)


class NodesInPlace(ProgramTest):

    def test_an_output_that_is_not_a_regular_file_is_refused_before_the_dialogue(self):
        device = self.device()
        os.mkfifo(self.path("fifo"))
        os.mkdir(self.path("folder"))
        os.symlink("fifo", self.path("link-to-fifo"))
        with socket.socket(socket.AF_UNIX) as listener:
            listener.bind(self.path("socket"))
            for option in [*OUTPUTS, "--record"]:
                for name in (device, "fifo", "folder", "socket", "link-to-fifo"):
                    with self.subTest(option=option, name=name):
                        self.assert_ended_before_the_dialogue(
                            self.run_program([FLYBACK, "--script", option, name], b"\n" * 30,
                                             timeout=10),
                            f'flyback: cannot write "{name}": it is not a regular file')
        self.assertTrue(stat.S_ISCHR(os.stat(device).st_mode))
        self.assertTrue(stat.S_ISFIFO(os.stat(self.path("fifo")).st_mode))
        self.assertTrue(stat.S_ISSOCK(os.stat(self.path("socket")).st_mode))
        self.assertEqual(os.listdir(self.path("folder")), [])


class StartedWithSigchldIgnored(ProgramTest):

    def test_every_output_is_written(self):
        # The replacement waits for a child process of its own, which an
        # ignored SIGCHLD, passed on by whoever starts the program, would
        # have the system reap unseen.
        process = self.run_program(
            [FLYBACK, "--script", *ALL_OUTPUTS], DEMO_WITH_LIST.encode(),
            preexec=lambda: signal.signal(signal.SIGCHLD, signal.SIG_IGN))
        self.assertEqual(process.returncode, 0, process.stderr)
        for name in OUTPUTS.values():
            self.assertTrue(valid_output(name, read_bytes(self.path(name))), name)


class EndedBySignals(ProgramTest):

    def end_a_run(self, folder, signal_number, moment):
        """Starts a run in `folder`, sends it `signal_number` after `moment`
        seconds and returns the names it leaves and the outputs among them
        that are not whole."""
        program = subprocess.Popen(
            [FLYBACK, "--script", *ALL_OUTPUTS], stdin=subprocess.PIPE,
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, cwd=folder, env=self.environment())
        program.stdin.write(DEMO_WITH_LIST.encode())
        program.stdin.close()
        time.sleep(moment)
        program.send_signal(signal_number)
        # Standard error ends when every process of the run has ended: the
        # program, and the child that finishes a rename it had begun when the
        # program was killed.
        program.stderr.read()
        program.stderr.close()
        program.wait(timeout=10)
        left = set(os.listdir(folder))
        cut = [name for name in left & set(OUTPUTS.values())
               if not valid_output(name, read_bytes(os.path.join(folder, name)))]
        return left, cut

    def test_runs_ended_at_random_moments_leave_whole_files_only(self):
        # A whole run, timed, and the names it leaves.
        start = time.monotonic()
        whole = self.run_program([FLYBACK, "--script", *ALL_OUTPUTS], DEMO_WITH_LIST.encode())
        duration = time.monotonic() - start
        self.assertEqual(whole.returncode, 0, whole.stderr)
        names = set(os.listdir(self.folder))
        chance = random.Random(30)  # the same moments every time
        runs = [(number, signal_number, chance.uniform(0, duration))
                for number, signal_number in enumerate([signal.SIGTERM] * 50 +
                                                       [signal.SIGKILL] * 50)]
        for number, _, _ in runs:
            os.mkdir(self.path(str(number)))
        # Four at a time: most of a run is spent waiting for its moment.
        with concurrent.futures.ThreadPoolExecutor(4) as pool:
            ended = pool.map(lambda run: self.end_a_run(self.path(str(run[0])), *run[1:]), runs)
            for (_, signal_number, moment), (left, cut) in zip(runs, ended):
                with self.subTest(signal=signal_number.name, moment=moment):
                    self.assertLessEqual(left, names)
                    self.assertEqual(cut, [])


if __name__ == "__main__":
    unittest.main()
