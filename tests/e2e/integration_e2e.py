"""End-to-end tests of the offer to switch browser integration off: the real ftplink.exe under
Wine with an engine that cannot start, the question answered by the robot, the registry read back."""
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ftplink_harness as h  # noqa: E402
import login_harness as lh  # noqa: E402

BHO_PARENT = r"Software\Microsoft\Windows\CurrentVersion\Explorer\Browser Helper Objects"
OUR_CLSID = "{3C9A41E7-5D20-4B8F-9A16-7E0D2C4B8A53}"
OTHER_CLSID = "{0B5E2C71-9D4A-4E36-8F10-6A2D7C3E9B48}"
NETSCAPE = r"Software\Netscape\Netscape Navigator\Automation Protocols"
OUR_HANDLER = "Norrbeck.NetscapeFtpHandler"
ERROR_CAPTION = "Tessaloft Pro Error"
ERROR_TEXT_END = "Disable Browser Integration now?"
IDYES, IDNO = 6, 7

ARGS = None

# answer, helper library (None: absent; else the results of its Explorer and Netscape exports),
# Netscape "ftp" value, then whether the class id key and the "ftp" value are still there.
CASES = [
    ("no", IDNO, None, OUR_HANDLER, True, True),
    ("yes-without-library-capitals", IDYES, None, OUR_HANDLER.upper(), False, False),
    ("yes-without-library-other-handler", IDYES, None, "Mosaic.FtpHandler", False, True),
    ("yes-library-removes-both", IDYES, (0, 0), OUR_HANDLER, True, True),
    ("yes-library-fails-for-explorer", IDYES, (1, 0), OUR_HANDLER, False, True),
]


class IntegrationE2E(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        h.check_environment()
        cls.work = h.make_work_dir("ftplink-integration-")
        cls.app = h.App(ARGS.bin_dir, cls.work)
        shutil.copy(os.path.join(ARGS.bin_dir, "fakes", "unstartable", "skelmer.dll"), cls.app.dir)
        cls.library = os.path.join(cls.app.dir, "plimsby.dll")
        cls.robot = h.Robot(os.path.join(ARGS.bin_dir, "robot.exe"))

    @classmethod
    def tearDownClass(cls):
        lh.delete_key(r"HKLM\%s\%s" % (BHO_PARENT, OTHER_CLSID))
        cls.app.kill_leftovers()
        cls.robot.close()
        shutil.rmtree(cls.work, ignore_errors=True)

    def clean_registry(self):
        lh.delete_key(r"HKLM\%s\%s" % (BHO_PARENT, OUR_CLSID))
        h.reg_delete("HKCU\\" + NETSCAPE, "ftp")

    def run_case(self, answer, library, handler):
        lh.reg_import([r"[HKEY_LOCAL_MACHINE\%s\%s]" % (BHO_PARENT, OUR_CLSID),
                       r"[HKEY_LOCAL_MACHINE\%s\%s]" % (BHO_PARENT, OTHER_CLSID),
                       r"[HKEY_CURRENT_USER\%s]" % NETSCAPE, '"ftp"="%s"' % handler], self.work)
        env = {}
        if library is None:
            if os.path.exists(self.library):
                os.remove(self.library)
        else:
            shutil.copy(os.path.join(ARGS.bin_dir, "fakes", "plimsby.dll"), self.library)
            env = {"FTPLINK_FAKE_EXPLORER_RESULT": str(library[0]),
                   "FTPLINK_FAKE_NETSCAPE_RESULT": str(library[1])}
        # The engine fails before any connection, so no server is needed behind the port.
        proc = lh.start_app(self.app, "ftp://127.0.0.1:21799/file.bin", env)
        title, text = self.robot.message_box()
        self.assertEqual(title, ERROR_CAPTION)
        self.assertTrue(text.startswith("There was an error!") and text.endswith(ERROR_TEXT_END), text)
        self.robot.click(title, answer)
        return lh.finish(proc)

    def test_answers_and_helper_library_results(self):
        for name, answer, library, handler, bho_kept, handler_kept in CASES:
            with self.subTest(case=name):
                try:
                    self.assertEqual(self.run_case(answer, library, handler), 0)
                    helpers = lh.subkeys("HKLM\\" + BHO_PARENT)
                    self.assertEqual(OUR_CLSID in helpers, bho_kept, "class id key: %s" % helpers)
                    self.assertIn(OTHER_CLSID, helpers, "another product's helper object was deleted")
                    self.assertEqual(h.reg_query("HKCU\\" + NETSCAPE, "ftp"), handler if handler_kept else None)
                finally:
                    self.app.kill_leftovers()
                    self.clean_registry()


def main():
    global ARGS
    ARGS = h.test_args()
    lh.use_build_view(ARGS.build_tag)
    h.run_tests()


if __name__ == "__main__":
    main()
