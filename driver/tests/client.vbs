' A client of the driver as a test sequencer would write it. The identity,
' a test run and a memory found by a literal name are the examples' (RunTest.vbs).
Set driver = CreateObject("Zew4400.Zew4400")
driver.Connect "dev1"
WScript.Echo "handles: " & (driver.hVisa <> 0) & " " & (driver.hVisaRM <> 0) & " " & (driver.hGpib = driver.hVisa)
driver.SetString "*IDN?"
WScript.Echo "reply: " & Replace(driver.GetString(), vbLf, "|")
WScript.Echo "status: " & driver.ErrVisa   ' the read ended at the line feed

' A collection enumerates all its items; a memory is found by a variable
' holding its number or its name (both arrive by reference).
n = 0
total = 0
For Each m In driver.Memories
    n = n + 1
    total = total + m.Index
Next
WScript.Echo "memories: " & driver.Memories.Count & " " & n & " " & total
i = 7
Set m = driver.Memories(i)
m.Name = "VBS"
m.Save
name = "VBS"
WScript.Echo "found: " & driver.Memories(name).Index & " " & driver.Register.Err

' A program built step by step, one memory given by a variable holding its
' name; uploaded, then read back.
Set p = driver.Programs(5)
p.Allocate 2
p.Steps(0).Memory = name
p.Steps(1).Memory = CLng(3)
p.Steps(1).NextInterval = 10
n = 0
For Each s In p.Steps
    n = n + 1
Next
WScript.Echo "steps: " & p.Steps.Count & " " & n & " " & p.Steps(0).Memory & " " & TypeName(p.Steps(1).Memory) & _
    " " & p.Steps(1).NextInterval
p.Start
p.Allocate 0
WScript.Echo "read: " & p.Steps.Count & " " & p.Steps(0).Memory & " " & TypeName(p.Steps(0).Memory) & " " & _
    p.Steps(1).NextInterval

On Error Resume Next
driver.Connect "nosuch::1"
WScript.Echo "open: " & Err.Number & " " & Err.Description
Err.Clear
driver.SetString String(1100, "A")
WScript.Echo "long: " & Err.Number
On Error Goto 0
driver.Disconnect
WScript.Echo "after: " & driver.hVisa
