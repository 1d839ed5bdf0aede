"""End-to-end tests of the download: the real ftplink.exe under Wine against local FTP servers,
its dialogs answered by the robot."""
import calendar
import glob
import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ftplink_harness as h  # noqa: E402

PORT_PLAIN = 21510
PORT_SLOW = 21511
PORT_NO_SIZE = 21512
PORT_CUT = 21513
PORT_CLOSED = 21599
SERVER_TIME = calendar.timegm((2001, 2, 3, 4, 5, 6))
EXIT_TIMEOUT = 30

ARGS = None


class DownloadE2E(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        h.check_environment()
        cls.work = h.make_work_dir("ftplink-e2e-")
        cls.root = os.path.join(cls.work, "ftproot")
        cls.saved = os.path.join(cls.work, "saved")
        os.makedirs(os.path.join(cls.root, "pub", "inner"))
        os.makedirs(cls.saved)
        cls.app = h.App(ARGS.bin_dir, cls.work)
        cls.servers = h.FtpServers(cls.root)
        cls.servers.add(PORT_PLAIN, passive_ports=list(range(21520, 21530)))
        cls.servers.add(PORT_SLOW, dtp_handler=h.SlowDTPHandler, passive_ports=list(range(21530, 21540)))
        cls.servers.add(PORT_NO_SIZE, handler_base=h.NoSizeHandler, passive_ports=list(range(21540, 21550)))
        cls.servers.add(PORT_CUT, handler_base=h.LyingSizeHandler, passive_ports=list(range(21550, 21560)))
        cls.servers.start()
        cls.robot = h.Robot(os.path.join(ARGS.bin_dir, "robot.exe"))
        cls.cache = h.unix_path(cls.robot.temp_path()) + "ftpurls"
        recorder = h.wine_path(os.path.join(cls.app.dir, "recorder.exe"))
        h.reg_add_default(r"HKCR\.abc", "abcfile")
        h.reg_add_default(r"HKCR\abcfile\shell\open\command", '"%s" "%%1"' % recorder)

    @classmethod
    def tearDownClass(cls):
        cls.app.kill_leftovers()
        cls.robot.close()
        cls.servers.stop()
        shutil.rmtree(cls.work, ignore_errors=True)

    def tearDown(self):
        self.app.kill_leftovers()

    def setUp(self):
        self.tag = "%s-%d" % (self._testMethodName.replace("test_", "").replace("_", "-"), os.getpid())

    # Helpers

    def put_file(self, name, size, folder="pub"):
        data = os.urandom(size)
        path = os.path.join(self.root, folder, name)
        with open(path, "wb") as f:
            f.write(data)
        os.utime(path, (SERVER_TIME, SERVER_TIME))
        return data

    def url(self, port, path):
        return "ftp://127.0.0.1:%d/%s" % (port, path)

    def close_setting(self, flag):
        h.reg_add(h.SETTINGS_KEY, "CloseDialog", "REG_DWORD", str(flag))

    def cache_files(self, name):
        base, ext = os.path.splitext(name)
        return glob.glob(os.path.join(self.cache, glob.escape(base) + "*"))

    def finish(self, proc):
        try:
            return proc.wait(timeout=EXIT_TIMEOUT)
        except Exception:
            proc.kill()
            raise AssertionError("ftplink did not end within %ss" % EXIT_TIMEOUT)

    def answer_save(self, path):
        r = self.robot
        r.wait(h.QUESTION)
        self.assertTrue(r.state(h.QUESTION, 1002)["checked"], "save is the preselected answer")
        r.click(h.QUESTION, 1)
        r.wait(h.SAVE_AS)
        r.settext(h.SAVE_AS, h.SAVE_AS_NAME, h.wine_path(path))
        r.click(h.SAVE_AS, 1)
        r.gone(h.SAVE_AS)

    def assert_saved(self, path, data):
        with open(path, "rb") as f:
            self.assertEqual(f.read(), data, "saved file differs from the server's")
        self.assertEqual(int(os.stat(path).st_mtime), SERVER_TIME, "saved file lacks the MDTM time")

    # Scenarios

    def test_open_from_cache(self):
        name = self.tag + ".abc"
        data = self.put_file(name, 3000)
        proc = self.app.start(self.url(PORT_PLAIN, "pub/" + name))
        r = self.robot
        r.wait(h.QUESTION)
        self.assertIn(name + " from 127.0.0.1", r.text(h.QUESTION, 1016))
        r.click(h.QUESTION, 1001)
        r.wait_text(h.QUESTION, 1001, lambda _: r.state(h.QUESTION, 1001)["checked"])
        r.click(h.QUESTION, 1)
        self.assertEqual(self.finish(proc), 1)
        recorded = self.app.recorded()
        self.assertIn(name, recorded, "the recorder was not started with the cache file")
        cached = self.cache_files(name)
        self.assertEqual(len(cached), 1, cached)
        with open(cached[0], "rb") as f:
            self.assertEqual(f.read(), data)
        os.remove(cached[0])

    def test_save_large_file_while_progress_moves(self):
        self.close_setting(0)
        name = self.tag + ".bin"
        data = self.put_file(name, 10 * 1024 * 1024)
        target = os.path.join(self.saved, name)
        proc = self.app.start(self.url(PORT_SLOW, "pub/" + name))
        r = self.robot
        r.wait(h.QUESTION)
        self.assertTrue(r.state(h.DOWNLOAD, 1013)["visible"], "bar shown with the announced size")
        first = r.wait_text(h.DOWNLOAD, 1008, lambda t: " of %d bytes" % len(data) in t)
        time.sleep(1.0)
        second = r.text(h.DOWNLOAD, 1008)
        self.assertNotEqual(first, second, "progress must move while the question is open")
        self.assertIn("per second", r.text(h.DOWNLOAD, 1010), "a rate is shown while the question is open")
        self.assertIn("remaining", second)
        self.assertEqual(r.text(h.DOWNLOAD, 1012), "Downloading...")
        self.answer_save(target)
        r.wait_text(h.DOWNLOAD, 1012, "Completed...", seconds=30)
        self.assertEqual(r.text(h.DOWNLOAD, 2), "&Close")
        self.assertTrue(r.state(h.DOWNLOAD, 1005)["enabled"])
        self.assertTrue(r.state(h.DOWNLOAD, 1003)["enabled"])
        self.assertEqual(r.text(h.DOWNLOAD, 1014), "Success:")
        self.assert_saved(target, data)
        self.assertEqual(self.cache_files(name), [])
        r.click(h.DOWNLOAD, 2)
        self.assertEqual(self.finish(proc), 0)
        self.assertTrue(os.path.exists(target), "Close after a save must not touch the saved file")
        self.assertEqual(h.reg_query(h.SETTINGS_KEY, "InitialDir"), h.wine_path(self.saved))
        self.assertEqual(h.reg_query(h.SETTINGS_KEY, "CloseDialog"), "0x0")

    def test_small_file_complete_before_the_answer(self):
        self.close_setting(1)
        name = self.tag + ".txt"
        data = self.put_file(name, 1500)
        target = os.path.join(self.saved, name)
        proc = self.app.start(self.url(PORT_PLAIN, "pub/" + name))
        r = self.robot
        r.wait(h.QUESTION)
        deadline = time.monotonic() + 10
        while not self.cache_files(name) or os.path.getsize(self.cache_files(name)[0]) < len(data):
            self.assertLess(time.monotonic(), deadline, "file did not arrive in the cache")
            time.sleep(0.1)
        time.sleep(0.5)
        self.assertEqual(r.text(h.DOWNLOAD, 1012), "Downloading...", "success must wait for the answer")
        self.assertFalse(r.state(h.DOWNLOAD, 1005)["enabled"])
        self.answer_save(target)
        self.assertEqual(self.finish(proc), 1, "box 1000 checked: the dialog ends by itself with 1")
        self.assert_saved(target, data)
        self.assertEqual(h.reg_query(h.SETTINGS_KEY, "CloseDialog"), "0x1")
        self.close_setting(0)

    def test_server_without_size_shows_elapsed_time(self):
        self.close_setting(0)
        name = self.tag + ".txt"
        data = self.put_file(name, 20000)
        target = os.path.join(self.saved, name)
        proc = self.app.start(self.url(PORT_NO_SIZE, "pub/" + name))
        r = self.robot
        r.wait(h.QUESTION)
        r.wait_text(h.DOWNLOAD, 1014, "Time period:")
        self.assertRegex(r.text(h.DOWNLOAD, 1008), r"\d")
        self.answer_save(target)
        r.wait_text(h.DOWNLOAD, 1012, "Completed...")
        with open(target, "rb") as f:
            self.assertEqual(f.read(), data)
        r.click(h.DOWNLOAD, 2)
        self.assertEqual(self.finish(proc), 0)

    def test_cut_transfer_is_neither_completed_nor_saved(self):
        self.close_setting(0)
        name = self.tag + ".txt"
        self.put_file(name, 5000)
        target = os.path.join(self.saved, name)
        with open(target, "wb") as f:
            f.write(b"the user's own file")
        proc = self.app.start(self.url(PORT_CUT, "pub/" + name))
        r = self.robot
        r.wait(h.QUESTION)
        r.wait_text(h.DOWNLOAD, 1012, "Failed...")
        self.assertEqual(r.text(h.DOWNLOAD, 2), "&Close")
        r.click(h.QUESTION, 1)
        r.gone(h.QUESTION)
        time.sleep(1.0)
        self.assertIsNone(r.try_ask("wait", h.SAVE_AS, 0), "no Save As for a failed transfer")
        self.assertEqual(r.text(h.DOWNLOAD, 1012), "Failed...")
        self.assertFalse(r.state(h.DOWNLOAD, 1005)["enabled"])
        r.click(h.DOWNLOAD, 2)
        self.assertEqual(self.finish(proc), 0)
        with open(target, "rb") as f:
            self.assertEqual(f.read(), b"the user's own file")
        self.assertEqual(self.cache_files(name), [])

    def test_missing_file(self):
        proc = self.app.start(self.url(PORT_PLAIN, "pub/%s-absent.txt" % self.tag))
        title, text = self.robot.message_box()
        self.assertEqual(text, "Failed.  File not found.")
        self.robot.click(title, 1)
        self.assertEqual(self.finish(proc), 0)

    def test_directory_is_handed_to_the_full_client(self):
        for path in ("pub/inner", "pub/inner/"):
            with self.subTest(path=path):
                proc = self.app.start(self.url(PORT_PLAIN, path))
                self.assertEqual(self.finish(proc), 1)
                recorded = self.app.recorded().strip()
                self.assertTrue(recorded.endswith("127.0.0.1:%d/pub/inner/" % PORT_PLAIN), recorded)
                self.assertFalse(recorded.endswith("//"), recorded)

    def test_refused_connection(self):
        proc = self.app.start(self.url(PORT_CLOSED, "pub/x.txt"))
        title, text = self.robot.message_box()
        self.assertEqual(text, "Failed to connect.")
        self.robot.click(title, 1)
        self.assertEqual(self.finish(proc), 0)

    def test_cancel_at_each_stage_deletes_the_cache_file(self):
        self.close_setting(0)
        r = self.robot
        for stage in ("question", "save-as", "downloading"):
            with self.subTest(stage=stage):
                name = "%s-%s.bin" % (self.tag, stage)
                self.put_file(name, 8 * 1024 * 1024)
                proc = self.app.start(self.url(PORT_SLOW, "pub/" + name))
                r.wait(h.QUESTION)
                r.wait_text(h.DOWNLOAD, 1008, lambda t: " of " in t)
                if stage == "question":
                    r.click(h.QUESTION, 2)
                elif stage == "save-as":
                    r.click(h.QUESTION, 1)
                    r.wait(h.SAVE_AS)
                    r.click(h.SAVE_AS, 2)
                else:
                    self.answer_save(os.path.join(self.saved, name))
                    r.click(h.DOWNLOAD, 2)
                self.assertEqual(self.finish(proc), 0)
                self.assertEqual(self.cache_files(name), [], "partial cache file left behind")
                self.assertFalse(os.path.exists(os.path.join(self.saved, name)))

    def test_cancel_at_credentials(self):
        proc = self.app.start("ftp://someone@127.0.0.1:%d/pub/x.txt" % PORT_PLAIN)
        self.robot.wait(h.LOGIN)
        self.robot.click(h.LOGIN, 2)
        self.assertEqual(self.finish(proc), 0)

    def test_failed_move_keeps_the_download(self):
        self.close_setting(0)
        name = self.tag + ".bin"
        data = self.put_file(name, 6 * 1024 * 1024)
        folder = os.path.join(self.work, "vanishing")
        os.makedirs(folder)
        proc = self.app.start(self.url(PORT_SLOW, "pub/" + name))
        self.answer_save(os.path.join(folder, name))
        shutil.rmtree(folder)
        title, text = self.robot.message_box(seconds=30)
        self.assertIn("could not be saved", text)
        self.robot.click(title, 1)
        r = self.robot
        self.assertEqual(r.text(h.DOWNLOAD, 1012), "Completed...")
        self.assertFalse(r.state(h.DOWNLOAD, 1005)["enabled"], "Open would not open the download")
        r.click(h.DOWNLOAD, 2)
        self.assertEqual(self.finish(proc), 0)
        cached = self.cache_files(name)
        self.assertEqual(len(cached), 1, "the download must survive in the cache")
        self.assertIn(os.path.basename(cached[0]), text.replace("\n", ""))
        with open(cached[0], "rb") as f:
            self.assertEqual(f.read(), data)
        os.remove(cached[0])


def main():
    global ARGS
    ARGS = h.test_args()
    h.run_tests()


if __name__ == "__main__":
    main()
