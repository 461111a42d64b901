"""Ends the unmodified program 50 times at random moments of its sync thread's schedule, half by
the close button and half by WM_CLOSE, with time servers that answer, fail and stall, so that
the thread is asking, waiting on a reply, pausing or already gone: every run must exit with 2.
Set CHRONALIGN_EXIT_SEED to repeat the moments of a run.
  exit_test.py <Chronalign.exe> <ElementQuery.exe> <Wine prefix> <wine-run wrapper>"""

import os
import random
import sys
import time

# The modules beside this script; no byte code in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import looks  # noqa: E402
from time_servers import GARBAGE, RESET, SILENT, STALL, answer  # noqa: E402

RUNS = 50
CLOSED = 2
# The servers' behaviours, with the span of moments after the window opens that covers the
# thread's phases under them.
SCHEDULES = (
    ("answered, pausing 30 s before asking again", dict(entry0=answer()), 1.5),
    ("daytime connected, the reply awaited", dict(entry0=STALL), 1.5),
    ("pausing 0.7 s after a failure, then awaiting SNTP", dict(entry0=RESET, entry1=SILENT), 2.5),
    ("failing six times, then gone", {}, 4.5),
    ("a failure, then answered", dict(entry0=GARBAGE, entry1=answer()), 2.0),
)


def main():
    arguments = harness.parse_arguments()
    with harness.running(arguments) as (session, servers):
        seed = int(os.environ.get("CHRONALIGN_EXIT_SEED", time.time_ns() % 1000000))
        print("seed %d" % seed)
        moments = random.Random(seed)
        started = time.monotonic()
        failures = [failure for failure in (end_once(session, servers, run, moments)
                                            for run in range(RUNS)) if failure]
    for failure in failures:
        print("FAILED: " + failure)
    print("%d runs in %.0f s" % (RUNS, time.monotonic() - started))
    print("%d passed, %d failed" % (RUNS - len(failures), len(failures)))
    return 0 if not failures else 1


def end_once(session, servers, run, moments):
    """Starts the program and ends it at a random moment; what went wrong, or None."""
    name, behaviours, span = SCHEDULES[run % len(SCHEDULES)]
    by_button = run % 2 == 0
    servers.configure(**behaviours)
    program = session.start()
    window = program.wait_for_window()
    moment = moments.uniform(0, span)
    time.sleep(moment)
    if window and by_button:
        program.click(*looks.CLOSE_CENTRE)
    elif window:
        program.post_close()
    code = program.exit_code(15)
    if window and code == CLOSED:
        return None
    return "run %d (%s, %s after %.2f s): %s" % (
        run, name, "close button" if by_button else "WM_CLOSE", moment,
        "no window" if not window else "exit code %s" % code)


if __name__ == "__main__":
    sys.exit(main())
