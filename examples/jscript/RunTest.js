// Runs a test on a ZEW4400 through the driver: connect, read the identity,
// set the test conditions, start the test, poll the monitored values until
// the verdict, keep the conditions in a panel memory and find it by name.
// A failed call is reported with the driver's error number and description,
// and the script ends with exit status 1.
//
//   cscript //nologo RunTest.js [DEVICE]      (default "SIM": the tester simulated inside the driver)

// The driver's error number as VBScript shows it: the low 16 bits of the
// HRESULT that JScript gives as a negative number.
function errorNumber(e) {
    return e.number & 0xFFFF;
}

// Waits; Wine's script host has no WScript.Sleep, so wait on the clock there.
function pause(seconds) {
    try {
        WScript.Sleep(seconds * 1000);
    } catch (e) {
        var end = new Date().getTime() + seconds * 1000;
        while (new Date().getTime() < end) {
        }
    }
}

// The instrument's state, the first field of its "MON?" reply: 12 and 8
// while a test runs, 1 passed, 2 failed.
function deviceStatus(driver) {
    driver.SetString("MON?");
    return parseInt(driver.GetString().split(",")[0], 10);
}

function verdict(status) {
    return status == 1 ? "PASS" : status == 2 ? "FAIL" : "none";
}

function fixed(value, digits) {
    return value.toFixed(digits);
}

function runTest(device) {
    var driver = new ActiveXObject("Zew4400.Zew4400");
    driver.Connect(device);
    WScript.Echo("Vendor:  " + driver.Vendor);
    WScript.Echo("Model:   " + driver.LegalModelName);
    WScript.Echo("Version: " + driver.Version.toString(16).toUpperCase());

    // The test conditions are kept by the driver object and sent by Start.
    driver.Current = 10;
    driver.Frequency = 60;
    driver.LimitUpper = 0.1;
    driver.ExecTime = 2;
    // The tester shows a PASS only for its pass hold time; 0 holds it until
    // the next Start, so the polling loop below cannot miss it.
    driver.PassHoldTime = 0;
    WScript.Echo("Test:    10 A, 60 Hz, upper limit 0.1 ohm, 2 s");
    driver.Start();

    var status = 0;
    var deadline = new Date().getTime() + 30000;
    for (;;) {
        status = deviceStatus(driver);
        WScript.Echo("  status " + status + ": R = " + fixed(driver.MonResistance, 4) + " ohm, I = " +
                     fixed(driver.MonCurrent, 2) + " A, U = " + fixed(driver.MonVoltage, 3) + " V, elapsed " +
                     fixed(driver.MonTimeElapsed, 2) + " s, remaining " + fixed(driver.MonTimeRemaining, 2) + " s");
        if (status != 8 && status != 12) break;
        if (new Date().getTime() > deadline) {
            status = 0;
            break;
        }
        pause(0.4);
    }
    WScript.Echo("Verdict: " + verdict(status));
    if (status == 0) return 1;

    // The same conditions kept in panel memory 12 and found again by name.
    var memory = driver.Memories(12);
    memory.Name = "PUMP-HOUSING";
    memory.Current = 10;
    memory.Frequency = 60;
    memory.LimitUpper = 0.1;
    memory.ExecTime = 2;
    memory.Save();
    var found = driver.Memories("PUMP-HOUSING");
    WScript.Echo("Memory:  \"PUMP-HOUSING\" is memory " + found.Index);
    driver.Disconnect();

    // A call that fails: the error number and the driver's description.
    try {
        driver.GetString();
    } catch (e) {
        WScript.Echo("Error:   GetString after Disconnect: " + errorNumber(e) + " " + e.description);
        return 0;
    }
    WScript.Echo("GetString after Disconnect did not fail");
    return 1;
}

var exitCode;
try {
    exitCode = runTest(WScript.Arguments.length > 0 ? WScript.Arguments(0) : "SIM");
} catch (e) {
    WScript.Echo("Failed: " + errorNumber(e) + " " + e.description);
    exitCode = 1;
}
WScript.Quit(exitCode);
