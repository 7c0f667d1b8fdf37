' Runs a test on a ZEW4400 through the driver: connect, read the identity,
' set the test conditions, start the test, poll the monitored values until
' the verdict, keep the conditions in a panel memory and find it by name.
' Every failed call is reported with the driver's error number and
' description, and the script ends with exit status 1.
'
'   cscript //nologo RunTest.vbs [DEVICE]      (default "SIM": the tester simulated inside the driver)
Option Explicit
On Error Resume Next

Dim device, driver, status, deadline, memory, found, reply
device = "SIM"
If WScript.Arguments.Count > 0 Then device = WScript.Arguments(0)

' Ends the script when the last call failed.
Sub Check(what)
    If Err.Number <> 0 Then
        WScript.Echo what & " failed: " & Err.Number & " " & Err.Description
        WScript.Quit 1
    End If
End Sub

' Waits; Wine's script host has no WScript.Sleep, so wait on the clock there.
Sub Pause(seconds)
    On Error Resume Next
    Dim started
    WScript.Sleep seconds * 1000
    If Err.Number = 0 Then Exit Sub
    Err.Clear
    started = Timer
    Do While Timer >= started And Timer < started + seconds
    Loop
End Sub

' The instrument's state, the first field of its "MON?" reply: 12 and 8
' while a test runs, 1 passed, 2 failed.
Function DeviceStatus()
    Dim fields
    driver.SetString "MON?"
    fields = Split(driver.GetString(), ",")
    DeviceStatus = CInt(fields(0))
End Function

Function Verdict(status)
    Select Case status
        Case 1: Verdict = "PASS"
        Case 2: Verdict = "FAIL"
        Case Else: Verdict = "none"
    End Select
End Function

Set driver = CreateObject("Zew4400.Zew4400")
Check "Creating Zew4400.Zew4400"
driver.Connect device
Check "Connect " & device
WScript.Echo "Vendor:  " & driver.Vendor
WScript.Echo "Model:   " & driver.LegalModelName
WScript.Echo "Version: " & Hex(driver.Version)
Check "Reading the identity"

' The test conditions are kept by the driver object and sent by Start.
driver.Current = 10
driver.Frequency = 60
driver.LimitUpper = 0.1
driver.ExecTime = 2
' The tester shows a PASS only for its pass hold time; 0 holds it until the
' next Start, so the polling loop below cannot miss it.
driver.PassHoldTime = 0
Check "Setting the test conditions"
WScript.Echo "Test:    10 A, 60 Hz, upper limit 0.1 ohm, 2 s"
driver.Start
Check "Start"

status = 0
deadline = DateAdd("s", 30, Now)
Do
    status = DeviceStatus()
    Check "Reading the status"
    WScript.Echo "  status " & status & ": R = " & FormatNumber(driver.MonResistance, 4) & " ohm, I = " & _
        FormatNumber(driver.MonCurrent, 2) & " A, U = " & FormatNumber(driver.MonVoltage, 3) & _
        " V, elapsed " & FormatNumber(driver.MonTimeElapsed, 2) & " s, remaining " & _
        FormatNumber(driver.MonTimeRemaining, 2) & " s"
    Check "Reading the monitored values"
    If status <> 8 And status <> 12 Then Exit Do
    If Now > deadline Then
        status = 0
        Exit Do
    End If
    Pause 0.4
Loop
WScript.Echo "Verdict: " & Verdict(status)
If status = 0 Then WScript.Quit 1

' The same conditions kept in panel memory 12 and found again by name.
Set memory = driver.Memories(12)
memory.Name = "PUMP-HOUSING"
memory.Current = 10
memory.Frequency = 60
memory.LimitUpper = 0.1
memory.ExecTime = 2
memory.Save
Check "Saving memory 12"
Set found = driver.Memories("PUMP-HOUSING")
Check "Finding the memory by name"
WScript.Echo "Memory:  ""PUMP-HOUSING"" is memory " & found.Index
driver.Disconnect
Check "Disconnect"

' A call that fails: the error number and the driver's description of it.
reply = driver.GetString()
If Err.Number = 0 Then
    WScript.Echo "GetString after Disconnect did not fail"
    WScript.Quit 1
End If
WScript.Echo "Error:   GetString after Disconnect: " & Err.Number & " " & Err.Description
Err.Clear
