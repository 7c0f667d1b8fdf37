Attribute VB_Name = "RunTest"
' A spreadsheet macro that runs a test on a ZEW4400 through the driver and
' writes the monitored values and the verdict into the active worksheet.
'
' Not run on our build machines: they have no office host to run a macro
' in. It uses the same driver interface as examples/vbscript/RunTest.vbs,
' which the tests run against the simulated instrument.
'
' To use it: in the VBA editor, Tools > References, tick "Orvanta ZEW4400
' Driver V1.54" (the driver's type library, ZEW4400Lib), then File > Import
' File... this module and run the macro RunZewTest.
Option Explicit

' The instrument's state, the first field of its "MON?" reply: 12 and 8
' while a test runs, 1 passed, 2 failed.
Private Function DeviceStatus(driver As ZEW4400Lib.Zew4400) As Integer
    Dim fields() As String
    driver.SetString "MON?"
    fields = Split(driver.GetString(), ",")
    DeviceStatus = CInt(fields(0))
End Function

' Waits without freezing the host's window.
Private Sub Pause(seconds As Double)
    Dim started As Single
    started = Timer
    Do While Timer >= started And Timer < started + seconds
        DoEvents
    Loop
End Sub

Public Sub RunZewTest()
    Dim driver As ZEW4400Lib.Zew4400
    Dim sheet As Object
    Dim row As Long
    Dim status As Integer
    Dim deadline As Date
    Dim memory As ZEW4400Lib.Memory

    On Error GoTo Failed
    Set sheet = ActiveSheet
    Set driver = New ZEW4400Lib.Zew4400
    driver.Connect "SIM"   ' the tester simulated inside the driver; "DEV5", "COM1"... for a real one
    sheet.Range("A1").Value = "Model"
    sheet.Range("B1").Value = driver.Vendor & " " & driver.LegalModelName

    ' The test conditions are kept by the driver object and sent by Start.
    driver.Current = 10
    driver.Frequency = 60
    driver.LimitUpper = 0.1
    driver.ExecTime = 2
    ' The tester shows a PASS only for its pass hold time; 0 holds it until
    ' the next Start, so the polling loop cannot miss it.
    driver.PassHoldTime = 0
    driver.Start

    sheet.Range("A3:F3").Value = Array("Status", "R [ohm]", "I [A]", "U [V]", "Elapsed [s]", "Remaining [s]")
    row = 4
    deadline = DateAdd("s", 30, Now)
    Do
        status = DeviceStatus(driver)
        sheet.Cells(row, 1).Value = status
        sheet.Cells(row, 2).Value = driver.MonResistance
        sheet.Cells(row, 3).Value = driver.MonCurrent
        sheet.Cells(row, 4).Value = driver.MonVoltage
        sheet.Cells(row, 5).Value = driver.MonTimeElapsed
        sheet.Cells(row, 6).Value = driver.MonTimeRemaining
        row = row + 1
        If status <> 8 And status <> 12 Then Exit Do
        If Now > deadline Then Err.Raise vbObjectError + 1, "RunZewTest", "No verdict within 30 seconds"
        Pause 0.4
    Loop
    sheet.Range("A2").Value = "Verdict"
    sheet.Range("B2").Value = IIf(status = 1, "PASS", IIf(status = 2, "FAIL", "status " & status))

    ' The same conditions kept in panel memory 12 under a name.
    Set memory = driver.Memories(12)
    memory.Name = "PUMP-HOUSING"
    memory.Current = 10
    memory.Frequency = 60
    memory.LimitUpper = 0.1
    memory.ExecTime = 2
    memory.Save
    driver.Disconnect
    Exit Sub

Failed:
    MsgBox "The test stopped: error " & Err.Number & vbCrLf & Err.Description, vbExclamation, "ZEW4400"
    On Error Resume Next
    If Not driver Is Nothing Then driver.Disconnect
End Sub
