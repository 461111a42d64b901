"""What both scripts set up: their arguments, the namespace, the desktop, the time servers and
the Wine session, taken down again in reverse."""

import argparse
import contextlib

import namespace
from desktop import Desktop
from program import WineSession
from time_servers import TimeServers, hosts_text


def parse_arguments(parser=None):
    """<Chronalign.exe> <ElementQuery.exe> <Wine prefix> <wine-run wrapper>, and the caller's."""
    parser = parser or argparse.ArgumentParser()
    for name in ("program", "element_query", "prefix", "wine_run"):
        parser.add_argument(name)
    return parser.parse_args()


@contextlib.contextmanager
def running(arguments):
    """Yields the Wine session and the time servers, inside the namespace."""
    scratch = namespace.enter(arguments.wine_run, arguments.prefix)
    prefix = namespace.set_up(scratch, arguments.prefix, hosts_text())
    desktop = Desktop()
    try:
        servers = TimeServers()
        try:
            session = WineSession(prefix, desktop, arguments.program, arguments.element_query)
            try:
                yield session, servers
            finally:
                session.close()
        finally:
            servers.close()
    finally:
        desktop.close()
