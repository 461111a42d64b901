"""A network and mount namespace for one test script: loopback only, the program's server names
in a hosts file of its own, and a copy-on-write view of the build's Wine prefix on a scratch
tmpfs. The Wine server creates sockets for its clients, so it must start inside as well: a
private server directory keeps it from finding the one outside."""

import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
_INSIDE = "CHRONALIGN_IN_NAMESPACE"
_SCRATCH = "CHRONALIGN_SCRATCH"
# scripts/setup.sh installs these: as root, a missing one is a failure, not a reason to skip.
_TOOLS = ("unshare", "ip", "Xvfb", "xcompmgr", "xdotool", "import", "convert")


def enter(wine_run, prefix):
    """Runs the calling script again inside a namespace of its own and exits with its status;
    in that second run, returns the scratch directory."""
    if os.environ.get(_INSIDE) == "1":
        return os.environ[_SCRATCH]
    if os.getuid() != 0:
        print("needs root")
        sys.exit(SKIP)
    missing = [tool for tool in _TOOLS if shutil.which(tool) is None]
    if missing:
        print("FAILED: missing " + " ".join(missing))
        sys.exit(1)
    # The wrapper makes the build's prefix when it is missing or incomplete.
    subprocess.run([wine_run], env=dict(os.environ, CHRONALIGN_PREFIX_ONLY="1"), check=True)
    scratch = tempfile.mkdtemp(prefix="chronalign-e2e.")
    env = dict(os.environ, **{_INSIDE: "1", _SCRATCH: scratch})
    try:
        status = subprocess.run(
            ["unshare", "--net", "--mount", "--propagation", "private", sys.executable]
            + sys.argv, env=env).returncode
    finally:
        os.rmdir(scratch)
    sys.exit(status)


def _run(*command):
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        # Root and the tools were there, so a namespace that cannot be set up is a failure.
        print("FAILED: cannot set up the namespace: " + " ".join(command) + ": "
              + result.stderr.strip())
        sys.exit(1)


def set_up(scratch, prefix, hosts_text):
    """Mounts the scratch tmpfs, the prefix view and the hosts file, and brings loopback up.
    Returns the prefix to use. Everything goes with the namespace."""
    _run("mount", "-t", "tmpfs", "chronalign-e2e", scratch)
    wine_sockets = "/tmp/.wine-%d" % os.getuid()
    os.makedirs(wine_sockets, exist_ok=True)
    _run("mount", "-t", "tmpfs", "chronalign-wine", wine_sockets)
    for name in ("upper", "work", "prefix"):
        os.mkdir(os.path.join(scratch, name))
    view = os.path.join(scratch, "prefix")
    _run("mount", "-t", "overlay", "overlay", "-o",
         "lowerdir=%s,upperdir=%s/upper,workdir=%s/work" % (prefix, scratch, scratch), view)
    hosts = os.path.join(scratch, "hosts")
    with open(hosts, "w") as file:
        file.write("127.0.0.1 localhost\n" + hosts_text)
    # Bound over the file inside this mount namespace only; the machine's stays as it is.
    _run("mount", "--bind", hosts, "/etc/hosts")
    _run("ip", "link", "set", "lo", "up")
    return view
