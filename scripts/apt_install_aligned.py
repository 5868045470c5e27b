#!/usr/bin/env python3
"""Installs Debian packages that bring i386 libraries beside amd64 ones, through what the
package mirror really offers.

A library of Multi-Arch "same" must have one version on both architectures. When an amd64
library came from an index the i386 side cannot get (the security suite's i386 index failed to
download, or the machine holds a version no index offers any more), apt's resolver gives up
("pkgProblemResolver::Resolve generated breaks"). Then every such library that the resolver
names is pinned, on both architectures, to the newest version that both architectures'
indexes offer, allowing that downgrade on the amd64 side, until a simulated install goes
through; only then is the install done for real.

    apt_install_aligned.py [--note TEXT] PACKAGE...

Prints one line that says what it had to do (TEXT, when given, leads that line). Exits 1 with
a message naming the packages when no consistent set exists.
"""

import re
import subprocess
import sys

FOREIGN = "i386"
ROUNDS = 8


class NoConsistentSet(Exception):
    pass


def parse_policy(text):
    """apt-cache policy output -> {(name, arch or None): {"installed": v, "candidate": v,
    "table": [v...], "offered": [v...]}}.

    arch is None for the native architecture. "table" lists every version apt knows, newest
    first (apt's order); "offered" those an index offers: a version known only from dpkg's
    status file is not offered.
    """
    packages = {}
    current = None
    version = None
    for line in text.splitlines():
        header = re.fullmatch(r"(\S+?)(?::(\w+))?:", line)
        if header:
            current = {"installed": None, "candidate": None, "table": [], "offered": []}
            packages[(header.group(1), header.group(2))] = current
            version = None
            continue
        if current is None:
            continue
        field = re.fullmatch(r"\s+(Installed|Candidate): (\S+)", line)
        if field:
            current[field.group(1).lower()] = None if field.group(2) == "(none)" else field.group(2)
            continue
        row = re.fullmatch(r" (?:\*\*\*|   ) (\S+) -?\d+", line)
        if row:
            version = row.group(1)
            current["table"].append(version)
            continue
        source = re.fullmatch(r"\s+-?\d+ (\S+)(?: .*)?", line)
        if source and version and source.group(1) != "/var/lib/dpkg/status":
            if version not in current["offered"]:
                current["offered"].append(version)
    return packages


def unmet_names(simulation):
    """The package names (without architecture) in apt's "unmet dependencies" report."""
    names = set()
    report = simulation.split("The following packages have unmet dependencies:", 1)
    if len(report) < 2:
        return names
    for line in report[1].splitlines():
        if line.startswith("E:"):
            break
        owner = re.match(r"\s(\S+?)(?::\w+)? :", line)
        if owner:
            names.add(owner.group(1))
        for target in re.findall(r"(?:Depends|PreDepends|Breaks|Conflicts): (\S+?)(?::\w+)?[ \n]",
                                 line + "\n"):
            names.add(target)
    return names


def pins_for(names, policy):
    """The version both architectures get for each name whose two sides cannot meet as they
    are: its amd64 side is installed, or would be installed, at a version the i386 index does
    not offer. The newest version both indexes offer, or NoConsistentSet when there is none."""
    pins = {}
    missing = []
    for name in sorted(names):
        native = policy.get((name, None))
        foreign = policy.get((name, FOREIGN))
        if not native or not foreign or not foreign["offered"]:
            continue
        installed = native["installed"]
        amd64 = {v for v in (installed, native["candidate"]) if v is not None}
        if amd64 <= set(foreign["offered"]):
            continue
        common = [v for v in native["offered"] if v in foreign["offered"]]
        if not common:
            missing.append(f"{name} (amd64 {installed or native['candidate']}; i386 offers {', '.join(foreign['offered'])})")
            continue
        pins[name] = common[0]
    if missing:
        raise NoConsistentSet(
            "no version that both amd64 and i386 can install: " + "; ".join(missing))
    return pins


def pinned_arguments(pins):
    arguments = []
    for name, version in sorted(pins.items()):
        arguments += [f"{name}={version}", f"{name}:{FOREIGN}={version}"]
    return arguments


def summary(packages, pins, policy):
    """One line: what was installed, how many libraries had to be aligned, and which of them
    went down a version on the amd64 side."""
    wanted = " ".join(p.split(":")[0] for p in packages)
    if not pins:
        return f"installed {wanted}"
    downgraded = []
    for name, version in sorted(pins.items()):
        native = policy[(name, None)]
        installed = native["installed"]
        if installed and native["table"].index(version) > native["table"].index(installed):
            downgraded.append(f"{name} {installed} -> {version}")
    count = len(pins)
    line = (f"installed {wanted} with {count} {'library' if count == 1 else 'libraries'} "
            "at the version both amd64 and i386 indexes offer")
    if downgraded:
        line += f", downgraded on amd64: {', '.join(downgraded)}"
    return line


def run(command):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return result.returncode, result.stdout


def apt_get(arguments, simulate):
    command = ["apt-get", "install", "-y", "-q", "--no-install-recommends", "--allow-downgrades"]
    if simulate:
        command.append("-s")
    return run(command + arguments)


def policy_of(names):
    queries = []
    for name in sorted(names):
        queries += [f"{name}:amd64", f"{name}:{FOREIGN}"]
    _, text = run(["apt-cache", "policy"] + queries)
    return parse_policy(text)


def align(packages, simulate=lambda arguments: apt_get(arguments, True), policy_of=policy_of):
    """The pins that let a simulated install of packages go through; {} when none are
    needed. Raises NoConsistentSet when none exist."""
    pins = {}
    policy = {}
    for _ in range(ROUNDS):
        status, output = simulate(packages + pinned_arguments(pins))
        if status == 0:
            return pins, policy
        names = unmet_names(output)
        policy.update(policy_of(names - {n for (n, _) in policy}))
        new = {n: v for n, v in pins_for(names, policy).items() if pins.get(n) != v}
        if not new:
            tail = "\n".join(output.strip().splitlines()[-12:])
            raise NoConsistentSet(
                f"apt cannot install {' '.join(packages)}, and aligning versions does not help:\n"
                + tail)
        pins.update(new)
    raise NoConsistentSet(f"no consistent set after {ROUNDS} rounds of aligning: {sorted(pins)}")


def main(arguments):
    note = None
    if arguments[:1] == ["--note"]:
        note, arguments = arguments[1], arguments[2:]
    if not arguments:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        pins, policy = align(arguments)
    except NoConsistentSet as error:
        print(f"apt_install_aligned.py: {error}", file=sys.stderr)
        return 1
    status, output = apt_get(arguments + pinned_arguments(pins), simulate=False)
    if status != 0:
        print(output, file=sys.stderr)
        print(f"apt_install_aligned.py: installing {' '.join(arguments)} failed", file=sys.stderr)
        return 1
    line = summary(arguments, pins, policy)
    print(f"{note}; {line}" if note else line[0].upper() + line[1:])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
