"""Runs a test on a ZEW4400 through the driver from Python (pywin32).

Not run on our build machines: they have no Windows Python with pywin32. It
uses the same driver interface as examples/vbscript/RunTest.vbs, which the
tests run against the simulated instrument.

Needs a Windows Python of the same architecture as the installed driver
(32-bit Python for the 32-bit driver) and pywin32 (pip install pywin32).

    python run_test.py [DEVICE]      (default "SIM": the tester simulated inside the driver)
"""
import sys
import time

import pythoncom
import pywintypes
import win32com.client

TESTING = (8, 12)  # the instrument's states while a test runs


def describe(error):
    """The driver's error number and description from a com_error."""
    hresult, text, excepinfo, _ = error.args
    if excepinfo and excepinfo[2]:
        # The driver's own errors: the number as VBScript shows it.
        return f"{excepinfo[5] & 0xFFFF} {excepinfo[2]}"
    return f"0x{hresult & 0xFFFFFFFF:08X} {text}"


def device_status(driver):
    """The first field of the instrument's "MON?" reply: 12 and 8 while a
    test runs, 1 passed, 2 failed."""
    driver.SetString("MON?")
    return int(driver.GetString().split(",")[0])


class TestEvents:
    """Receives the driver's TestingR events (see run_with_events)."""
    last_status = 0

    def OnTestingR(self, status, voltage, current, resistance_max, resistance, elapsed):
        TestEvents.last_status = status
        print(f"  TestingR status {status:2d}: R = {resistance:.4f} ohm, I = {current:.2f} A, t = {elapsed:.2f} s")


def run_test(device):
    driver = win32com.client.Dispatch("Zew4400.Zew4400")
    driver.Connect(device)
    print("Vendor: ", driver.Vendor)
    print("Model:  ", driver.LegalModelName)
    print(f"Version: {driver.Version:X}")

    # The test conditions are kept by the driver object and sent by Start.
    driver.Current = 10
    driver.Frequency = 60
    driver.LimitUpper = 0.1
    driver.ExecTime = 2
    # The tester shows a PASS only for its pass hold time; 0 holds it until
    # the next Start, so the polling loop cannot miss it.
    driver.PassHoldTime = 0
    driver.Start()

    deadline = time.monotonic() + 30
    while True:
        status = device_status(driver)
        print(f"  status {status}: R = {driver.MonResistance:.4f} ohm, I = {driver.MonCurrent:.2f} A, "
              f"U = {driver.MonVoltage:.3f} V, elapsed {driver.MonTimeElapsed:.2f} s, "
              f"remaining {driver.MonTimeRemaining:.2f} s")
        if status not in TESTING:
            break
        if time.monotonic() > deadline:
            raise TimeoutError("no verdict within 30 seconds")
        time.sleep(0.4)
    print("Verdict:", {1: "PASS", 2: "FAIL"}.get(status, f"status {status}"))

    # The same conditions kept in panel memory 12 and found again by name.
    memory = driver.Memories(12)
    memory.Name = "PUMP-HOUSING"
    memory.Current = 10
    memory.Frequency = 60
    memory.LimitUpper = 0.1
    memory.ExecTime = 2
    memory.Save()
    print(f'Memory:  "PUMP-HOUSING" is memory {driver.Memories("PUMP-HOUSING").Index}')
    driver.Disconnect()
    return status


def run_with_events(device):
    """A test watched by the driver's automatic monitor, which reports it as
    TestingR events. The monitor runs on timers of this thread, so the thread
    pumps its messages while it waits."""
    driver = win32com.client.DispatchWithEvents("Zew4400.Zew4400", TestEvents)
    driver.Connect(device)
    driver.Current = 10
    driver.LimitUpper = 0.1
    driver.ExecTime = 2
    driver.AutoMonitorInterval = 250
    driver.AutoMonitorEnabled = True
    TestEvents.last_status = 0
    driver.Start()
    deadline = time.monotonic() + 30
    while TestEvents.last_status in (0, *TESTING):
        if time.monotonic() > deadline:
            raise TimeoutError("no verdict within 30 seconds")
        pythoncom.PumpWaitingMessages()
        time.sleep(0.01)
    driver.AutoMonitorEnabled = False
    driver.Disconnect()
    print("Verdict (events):", {1: "PASS", 2: "FAIL"}.get(TestEvents.last_status, TestEvents.last_status))


def main():
    device = sys.argv[1] if len(sys.argv) > 1 else "SIM"
    try:
        status = run_test(device)
        run_with_events(device)
    except pywintypes.com_error as error:
        print("Failed:", describe(error))
        return 1
    except TimeoutError as error:
        print("Failed:", error)
        return 1
    return 0 if status in (1, 2) else 1


if __name__ == "__main__":
    sys.exit(main())
