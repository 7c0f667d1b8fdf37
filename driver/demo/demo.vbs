' Drives a ZEW4400 through the driver, as a test sequencer would: connect,
' configure a test, run it, watch the monitored values, read the verdict;
' then keep the conditions in a panel memory, find it by name and run it;
' then build, upload and run an auto-test program.
Set driver = CreateObject("Zew4400.Zew4400")
driver.Connect "dev1"
WScript.Echo "Vendor:         " & driver.Vendor
WScript.Echo "LegalModelName: " & driver.LegalModelName
WScript.Echo "Version:        " & Hex(driver.Version)
driver.SetString "*IDN?"
WScript.Echo "*IDN? answers:  " & Replace(driver.GetString(), vbLf, "")

' System settings go to the instrument at once.
driver.BuzzerVolume = 3
' A PASS shows only for the pass hold time; 0 holds it until the next START,
' so the polling loops below cannot miss it.
driver.PassHoldTime = 0
driver.Comment = "Demo bench line 1"
WScript.Echo "Comment:        " & driver.Comment

' Test conditions are kept by the driver and sent by Start.
driver.Current = 10
driver.Frequency = 60
driver.LimitUpper = 0.1
driver.ExecTime = 2
WScript.Echo "Test:           " & driver.Current & " A, " & driver.Frequency & " Hz, upper " & _
    driver.LimitUpper & " ohm, " & driver.ExecTime & " s"
driver.Start

' The instrument's state, the first field of its MON? reply: 12 and 8 while
' testing, 1 pass, 2 fail.
Function Status()
    driver.SetString "MON?"
    fields = Split(driver.GetString(), ",")
    Status = CInt(fields(0))
End Function

' Wine's script host has no WScript.Sleep: wait on the clock instead.
Sub Pause(seconds)
    Dim deadline
    deadline = Timer + seconds
    Do While Timer < deadline
    Loop
End Sub

Do
    s = Status()
    WScript.Echo "  status " & s & ": R = " & FormatNumber(driver.MonResistance, 4) & " ohm, I = " & _
        FormatNumber(driver.MonCurrent, 2) & " A, U = " & FormatNumber(driver.MonVoltage, 3) & _
        " V, elapsed " & FormatNumber(driver.MonTimeElapsed, 2) & " s, remaining " & _
        FormatNumber(driver.MonTimeRemaining, 2) & " s"
    If s <> 8 And s <> 12 Then Exit Do
    Pause 0.4
Loop
If s = 1 Then WScript.Echo "Verdict:        PASS" Else WScript.Echo "Verdict:        FAIL (status " & s & ")"

' A product's test conditions kept in a panel memory: edited offline, saved,
' found again by name (each memory's name is read from the instrument on the
' way) and started.
Set memory = driver.Memories(12)
memory.Name = "PUMP-HOUSING"
memory.Current = 25
memory.Frequency = 50
memory.LimitUpper = 0.1
memory.ExecTime = 1.5
memory.Save
WScript.Echo "Saved memory:   " & memory.Index & " """ & memory.Name & """"
Set found = driver.Memories("PUMP-HOUSING")
found.Load
WScript.Echo "Found by name:  memory " & found.Index & ": " & found.Current & " A, " & found.Frequency & _
    " Hz, upper " & found.LimitUpper & " ohm, " & found.ExecTime & " s"
found.Start
Do
    s = Status()
    If s <> 8 And s <> 12 Then Exit Do
    Pause 0.4
Loop
If s = 1 Then WScript.Echo "Memory verdict: PASS" Else WScript.Echo "Memory verdict: FAIL (status " & s & ")"
' An auto-test program of three steps: the memory saved above, given by its
' name, then memory 0, then the saved memory again by its number. Free first:
' an upload leaves any further steps of an older, longer program in place.
Set program = driver.Programs(3)
program.Free
program.Name = "PUMP-LINE"
program.ReturnOn = False
program.Allocate 3
program.Steps(0).Memory = "PUMP-HOUSING"
program.Steps(0).NextInterval = 0.5
program.Steps(1).Memory = 0
program.Steps(1).NextInterval = 0
program.Steps(2).Memory = 12
For Each stepOfProgram In program.Steps
    WScript.Echo "Program step " & stepOfProgram.Index & ":  memory " & stepOfProgram.Memory & ", then " & _
        stepOfProgram.NextInterval & " s"
Next
program.Start
WScript.Echo "Program:        """ & program.Name & """ uploaded and started"
last = -1
Do
    s = Status()
    If s <> last Then WScript.Echo "  status " & s & ": I = " & FormatNumber(driver.MonCurrent, 2) & " A"
    last = s
    If s <> 8 And s <> 12 Then Exit Do
    Pause 0.2
Loop
If s = 1 Then WScript.Echo "Program verdict: PASS" Else WScript.Echo "Program verdict: FAIL (status " & s & ")"
program.Allocate 0
WScript.Echo "Read back:      """ & program.Name & """, " & program.Steps.Count & " steps"
WScript.Echo "Registers:      ERR " & driver.Register.Err & ", DSR " & driver.Register.DeviceStatus & _
    ", FAIL " & driver.Register.Fail
driver.Disconnect

' A failing call: reading with no instrument connected.
On Error Resume Next
reply = driver.GetString()
WScript.Echo "GetString after Disconnect fails with Err.Number " & Err.Number & ": " & Err.Description
