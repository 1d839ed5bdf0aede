"""End-to-end tests of the credentials dialog: the real ftplink.exe under Wine against a local
server with a user account, the dialog answered by the robot and by typed keys."""
import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ftplink_harness as h  # noqa: E402
import login_harness as lh  # noqa: E402

USER = "alice"
# Distinctive passwords, so that a search of files and registry cannot match by chance.
PASSWORD_RIGHT = "right-Qz7vK3pW"
PASSWORD_WRONG = "wrong-Jm4tX8rB"
LOGIN_TITLE = "User information"
FILE_NAME = "file.bin"
FILE_SIZE = 300 * 1024

ARGS = None


class LoginE2E(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        h.check_environment()
        cls.work = h.make_work_dir("ftplink-login-")
        cls.root = os.path.join(cls.work, "ftproot")
        cls.saved = os.path.join(cls.work, "saved")
        os.makedirs(cls.root)
        os.makedirs(cls.saved)
        cls.data = os.urandom(FILE_SIZE)
        with open(os.path.join(cls.root, FILE_NAME), "wb") as f:
            f.write(cls.data)
        cls.app = h.App(ARGS.bin_dir, cls.work)
        cls.servers = h.FtpServers(cls.root)
        cls.port, cls.log = lh.add_account_server(cls.servers, USER, PASSWORD_RIGHT)
        cls.servers.start()
        cls.robot = h.Robot(os.path.join(ARGS.bin_dir, "robot.exe"))
        cls.temp = h.unix_path(cls.robot.temp_path())
        # A refused login ends the whole request when the dialog closes by itself after a failure.
        h.reg_add(h.SETTINGS_KEY, "CloseDialog", "REG_DWORD", "0")

    @classmethod
    def tearDownClass(cls):
        cls.app.kill_leftovers()
        cls.robot.close()
        cls.servers.stop()
        shutil.rmtree(cls.work, ignore_errors=True)

    def tearDown(self):
        self.app.kill_leftovers()
        self.robot.try_ask("close", h.LOGIN)

    def url(self, credentials):
        return "ftp://%s@127.0.0.1:%d/%s" % (credentials, self.port, FILE_NAME)

    def login_fields(self):
        r = self.robot
        return {"host": r.text(h.LOGIN, 1011), "user": r.text(h.LOGIN, 1006), "password": r.text(h.LOGIN, 1007)}

    def test_user_without_password_is_asked_before_any_connection(self):
        connections = self.log.connections
        proc = self.app.start(self.url(USER))
        r = self.robot
        r.wait(h.LOGIN)
        self.assertEqual(r.ask("title", h.LOGIN), LOGIN_TITLE)
        self.assertEqual(self.login_fields(), {"host": "127.0.0.1", "user": USER, "password": ""})
        # Keys typed into the dialog land in the control that has the focus: the password box.
        lh.type_into(LOGIN_TITLE, "typed")
        r.wait_text(h.LOGIN, 1007, "typed", seconds=10)
        self.assertEqual(r.text(h.LOGIN, 1006), USER, "typed keys went to the user id box")
        self.assertEqual(r.text(h.LOGIN, 1011), "127.0.0.1", "typed keys went to the host box")
        self.assertEqual(self.log.connections, connections, "connected before the credentials were given")
        r.click(h.LOGIN, 2)
        self.assertEqual(lh.finish(proc), 0)
        time.sleep(0.5)  # the server's loop looks for new connections five times a second
        self.assertEqual(self.log.connections, connections, "Cancel must not contact the server")

    def test_refused_login_asks_again_and_the_second_attempt_downloads(self):
        logins = len(self.log.logins)
        target = os.path.join(self.saved, FILE_NAME)
        proc = self.app.start(self.url("%s:%s" % (USER, PASSWORD_WRONG)))
        r = self.robot
        r.wait(h.LOGIN)
        self.assertEqual(self.login_fields(), {"host": "127.0.0.1", "user": USER, "password": PASSWORD_WRONG})
        self.assertEqual(self.log.logins[logins:], [(USER, False)])
        r.settext(h.LOGIN, 1007, PASSWORD_RIGHT)
        r.click(h.LOGIN, 1)
        r.gone(h.LOGIN)
        lh.answer_save(r, target)
        r.wait_text(h.DOWNLOAD, 1012, "Completed...", seconds=30)
        self.assertEqual(self.log.logins[logins:], [(USER, False), (USER, True)])
        with open(target, "rb") as f:
            self.assertEqual(f.read(), self.data, "saved file differs from the server's")
        r.click(h.DOWNLOAD, 2)
        self.assertEqual(lh.finish(proc), 0)
        self.assert_passwords_written_nowhere()

    def assert_passwords_written_nowhere(self):
        scratch = [os.path.join(self.work, name) for name in os.listdir(self.work) if name != "ftproot"]
        places = scratch + [self.temp] + lh.registry_files(os.environ["WINEPREFIX"])
        passwords = (PASSWORD_RIGHT, PASSWORD_WRONG)
        self.assertEqual(lh.files_containing(places, passwords), [])
        self.assertEqual(lh.live_registry_containing(passwords, self.work), [])


def main():
    global ARGS
    ARGS = h.test_args()
    lh.use_build_view(ARGS.build_tag)
    h.run_tests()


if __name__ == "__main__":
    main()
