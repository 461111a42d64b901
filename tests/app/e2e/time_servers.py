"""Daytime (TCP 13) and SNTP (UDP 123) servers on loopback addresses of the namespace, one
address per server name of the program, so that every attempt of its sync thread can be told
apart; each answers as the scenario sets, and every request is logged."""

import datetime
import socket
import struct
import threading
import time

# The program's fixed list; entries 0 and 1 are one name. Even entries are asked by daytime,
# odd ones by SNTP.
SERVER_NAMES = ["time.nist.gov", "time.nist.gov", "time-a-g.nist.gov", "time-b-g.nist.gov",
                "time-a-wwv.nist.gov", "time-b-wwv.nist.gov"]
ENTRY_ADDRESSES = ["127.0.1.1", "127.0.1.1", "127.0.1.2", "127.0.1.3", "127.0.1.4", "127.0.1.5"]
DAYTIME, SNTP = "daytime", "sntp"
_NTP_EPOCH_OFFSET = 2208988800  # seconds from 1900 to 1970
_LISTEN_POLL = 0.1


def hosts_text():
    return "".join("%s %s\n" % (ENTRY_ADDRESSES[entry], SERVER_NAMES[entry])
                   for entry in range(0, 6) if entry != 1)


def protocol_of(entry):
    return SNTP if entry % 2 else DAYTIME


class Behaviour:
    """What one server does with a request."""

    def __init__(self, kind, offset=0.0, delay=0.0):
        self.kind, self.offset, self.delay = kind, offset, delay


def answer(offset=0.0, delay=0.0):
    """The real time moved by the offset (seconds), after the delay."""
    return Behaviour("answer", offset, delay)


# Daytime failures: a reset after the connection, a close without data, a reply that is not a
# time, a connection held open in silence.
RESET, CLOSE, GARBAGE, STALL = (Behaviour(kind) for kind in ("reset", "close", "garbage", "stall"))
# SNTP failures: no reply, a transmit time of 2010 (too early), a reply too short for one.
SILENT, OLD, SHORT = (Behaviour(kind) for kind in ("silent", "old", "short"))


def requests_to(entries):
    """The (address, protocol) pairs that asking these entries of the list sends."""
    return [(ENTRY_ADDRESSES[entry], protocol_of(entry)) for entry in entries]


def _entry_of(address, protocol):
    """The entry asked by this request, None for a protocol that the entry is not asked by."""
    return next((entry for entry in range(6)
                 if ENTRY_ADDRESSES[entry] == address and protocol_of(entry) == protocol), None)


class TimeServers:
    """Serves every entry of the list until closed. Entries without a behaviour fail at once."""

    def __init__(self):
        self._lock = threading.Lock()
        self._stopping = threading.Event()
        self._behaviours = {}
        self._log = []
        self._answered = []
        self._threads = []
        for address in sorted(set(ENTRY_ADDRESSES)):
            listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
            listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            listener.bind((address, 13))
            listener.listen(16)
            listener.settimeout(_LISTEN_POLL)
            self._spawn(self._serve_daytime, listener, address)
            datagrams = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
            datagrams.bind((address, 123))
            datagrams.settimeout(_LISTEN_POLL)
            self._spawn(self._serve_sntp, datagrams, address)

    def configure(self, **behaviours):
        """Sets the behaviour of entries by number (entry0=..., entry3=...) and clears the log;
        the others fail at once."""
        with self._lock:
            self._behaviours = {int(key[len("entry"):]): value
                                for key, value in behaviours.items()}
            self._log = []
            self._answered = []

    def attempts(self):
        """The requests so far, in order: (address, protocol, monotonic time of arrival)."""
        with self._lock:
            return list(self._log)

    def answers(self):
        """The times given so far: (address, protocol, monotonic time of the answer)."""
        with self._lock:
            return list(self._answered)

    def close(self):
        self._stopping.set()
        for thread in self._threads:
            thread.join()

    def _spawn(self, target, *args):
        thread = threading.Thread(target=target, args=args, daemon=True)
        thread.start()
        self._threads.append(thread)

    def _take(self, address, protocol):
        entry = _entry_of(address, protocol)
        with self._lock:
            self._log.append((address, protocol, time.monotonic()))
            default = RESET if protocol == DAYTIME else SHORT
            return self._behaviours.get(entry, default)

    def _serve_daytime(self, listener, address):
        with listener:
            while not self._stopping.is_set():
                try:
                    connection, _ = listener.accept()
                except socket.timeout:
                    continue
                self._spawn(self._answer_daytime, connection, address,
                            self._take(address, DAYTIME))

    def _note_answer(self, address, protocol):
        with self._lock:
            self._answered.append((address, protocol, time.monotonic()))

    def _answer_daytime(self, connection, address, behaviour):
        with connection:
            if behaviour.kind == "reset":
                # Linger 0: the close sends a reset.
                connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER,
                                      struct.pack("ii", 1, 0))
            elif behaviour.kind == "garbage":
                connection.sendall(b"not a time\r\n")
            elif behaviour.kind == "stall":
                self._stopping.wait()
            elif behaviour.kind == "answer":
                if self._stopping.wait(behaviour.delay):
                    return
                connection.sendall(_daytime_reply(behaviour.offset))
                self._note_answer(address, DAYTIME)

    def _serve_sntp(self, datagrams, address):
        with datagrams:
            while not self._stopping.is_set():
                try:
                    request, client = datagrams.recvfrom(512)
                except socket.timeout:
                    continue
                behaviour = self._take(address, SNTP)
                reply = _sntp_reply(behaviour, request)
                if reply:
                    datagrams.sendto(reply, client)
                if behaviour.kind == "answer":
                    self._note_answer(address, SNTP)


def _daytime_reply(offset):
    """The NIST daytime line, sent just after a second begins: the reply carries whole seconds,
    so the server time that the program keeps is then late by a few milliseconds only."""
    now = time.time() + offset
    time.sleep(1.002 - now % 1.0)
    moment = datetime.datetime.fromtimestamp(int(time.time() + offset), datetime.timezone.utc)
    day_number = (moment.date() - datetime.date(1858, 11, 17)).days
    return ("\n%d %s 00 0 0 0.0 UTC(NIST) *\n"
            % (day_number, moment.strftime("%y-%m-%d %H:%M:%S"))).encode()


def _ntp_timestamp(seconds):
    whole = int(seconds)
    return struct.pack("!II", whole + _NTP_EPOCH_OFFSET, int((seconds - whole) * 2 ** 32))


def _sntp_reply(behaviour, request):
    if behaviour.kind == "silent":
        return b""
    if behaviour.kind == "short":
        return b"\x24\x01" + bytes(14)
    if behaviour.kind == "old":
        transmit = datetime.datetime(2010, 12, 31, 23, 59, 59,
                                     tzinfo=datetime.timezone.utc).timestamp()
    else:
        transmit = time.time() + behaviour.offset
    # Version 4, server mode, stratum 1; the client's transmit time comes back as originate.
    header = struct.pack("!BBbb", 0x24, 1, 6, -20) + bytes(12)
    originate = request[40:48] if len(request) >= 48 else bytes(8)
    return header + _ntp_timestamp(transmit) + originate + _ntp_timestamp(transmit) * 2
