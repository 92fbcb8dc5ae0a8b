"""The one way end-to-end tests wait: for a condition (a window, a control's text, a list row, a
file, a registry value), polled until a deadline. A test never sleeps a fixed time and hopes; the
short pause here is only the interval between two looks."""

import time

POLL_SECONDS = 0.1


def wait_until(condition, seconds, interval=POLL_SECONDS):
    """The first truthy value of condition(), or None once `seconds` have passed without one.
    The condition is always asked at least once, and once more at the deadline."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        left = deadline - time.monotonic()
        if left <= 0:
            return None
        time.sleep(min(interval, left))
