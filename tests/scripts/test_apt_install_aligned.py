"""The i386 install's version alignment against recorded apt outputs.

apt_records/ holds what `apt-get install -s --no-install-recommends --allow-downgrades
qemu-user-static wine32:i386` and `apt-cache policy` printed on a Debian 12 machine whose
amd64 side had libraries from the security suite while the security suite's i386 index was
left out of the sources (as when it fails to download). Each install-s-N.txt starts with the
arguments of round N; install-s-4.txt, the simulation that went through, is shortened.
"""

import pathlib
import sys
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "scripts"))

import apt_install_aligned as aligned  # noqa: E402

RECORDS = pathlib.Path(__file__).resolve().parent / "apt_records"
WANTED = ["qemu-user-static", "wine32:i386"]


def record(name):
    return (RECORDS / name).read_text()


class ReplayedApt:
    """apt as recorded: each simulation must be asked with the recorded arguments."""

    def __init__(self):
        self.round = 0

    def simulate(self, arguments):
        self.round += 1
        arguments_line, output = record(f"install-s-{self.round}.txt").split("\n", 1)
        if arguments != arguments_line.split():
            raise AssertionError(f"round {self.round} asked {arguments}")
        return (0 if self.round == 4 else 100), output

    def policy_of(self, names):
        policy = aligned.parse_policy(record(f"policy-{self.round}.txt"))
        unknown = names - {name for (name, _) in policy}
        if unknown:
            raise AssertionError(f"round {self.round} asked the policy of {sorted(unknown)}")
        return policy


class AlignmentTest(unittest.TestCase):
    def test_the_security_suites_missing_i386_index_is_worked_around(self):
        apt = ReplayedApt()
        pins, policy = aligned.align(WANTED, apt.simulate, apt.policy_of)
        self.assertEqual(apt.round, 4)
        # The library that came from the security suite on amd64 goes back to the main
        # suite's version, the one i386 can get; one installed at a version no index offers
        # any more moves to the newest both offer.
        self.assertEqual(pins["libgstreamer-plugins-base1.0-0"], "1.22.0-3+deb12u6")
        self.assertEqual(pins["libssl3"], "3.0.20-1~deb12u2")
        self.assertEqual(pins["liblzma5"], "5.4.1-1+deb12u1")
        self.assertEqual(len(pins), 21)
        self.assertEqual(
            aligned.summary(WANTED, pins, policy),
            "installed qemu-user-static wine32 with 21 libraries at the version both amd64 and "
            "i386 indexes offer, downgraded on amd64: libgstreamer-plugins-base1.0-0 "
            "1.22.0-3+deb12u7 -> 1.22.0-3+deb12u6")

    def test_a_resolvable_install_gets_no_pins(self):
        pins, _ = aligned.align(WANTED, lambda arguments: (0, ""), lambda names: {})
        self.assertEqual(pins, {})
        self.assertEqual(aligned.summary(WANTED, {}, {}), "installed qemu-user-static wine32")

    def test_policy_keeps_what_an_index_offers_apart_from_what_is_only_installed(self):
        policy = aligned.parse_policy(record("policy-1.txt"))
        ssl = policy[("libssl3", None)]
        self.assertEqual(ssl["installed"], "3.0.19-1~deb12u2")
        self.assertEqual(ssl["candidate"], "3.0.22-1~deb12u2")
        self.assertEqual(ssl["offered"], ["3.0.22-1~deb12u2", "3.0.20-1~deb12u2", "3.0.17-1~deb12u2"])
        self.assertIn("3.0.19-1~deb12u2", ssl["table"])
        self.assertEqual(policy[("libssl3", "i386")]["offered"],
                         ["3.0.20-1~deb12u2", "3.0.17-1~deb12u2"])

    def test_no_common_version_fails_naming_the_package(self):
        policy = aligned.parse_policy(
            "libfoo1:\n  Installed: 2.0-2\n  Candidate: 2.0-2\n  Version table:\n"
            " *** 2.0-2 500\n        500 http://deb.debian.org/debian-security x amd64 Packages\n"
            "        100 /var/lib/dpkg/status\n"
            "libfoo1:i386:\n  Installed: (none)\n  Candidate: 1.0-1\n  Version table:\n"
            "     1.0-1 500\n        500 http://deb.debian.org/debian bookworm/main i386 Packages\n")
        failure = ("The following packages have unmet dependencies:\n"
                   " libwine:i386 : Depends: libfoo1:i386 (>= 1.0) but it is not going to be "
                   "installed\nE: Unable to correct problems, you have held broken packages.\n")
        with self.assertRaisesRegex(aligned.NoConsistentSet, r"libfoo1 \(amd64 2.0-2; i386 offers 1.0-1\)"):
            aligned.align(WANTED, lambda arguments: (100, failure), lambda names: policy)

    def test_a_failure_that_aligning_cannot_mend_stops_with_apts_words(self):
        failure = ("The following packages have unmet dependencies:\n"
                   " wine32:i386 : Depends: libwine:i386 but it is not installable\n"
                   "E: Unable to correct problems, you have held broken packages.\n")
        with self.assertRaisesRegex(aligned.NoConsistentSet, "libwine:i386 but it is not installable"):
            aligned.align(WANTED, lambda arguments: (100, failure), lambda names: {})


if __name__ == "__main__":
    unittest.main()
