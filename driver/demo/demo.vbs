' Drives a ZEW4400 through the driver, as a test sequencer would.
Set driver = CreateObject("Zew4400.Zew4400")
driver.Connect "dev1"
WScript.Echo "Vendor:         " & driver.Vendor
WScript.Echo "LegalModelName: " & driver.LegalModelName
WScript.Echo "Version:        " & Hex(driver.Version)
driver.SetString "*IDN?"
WScript.Echo "*IDN? answers:  " & Replace(driver.GetString(), vbLf, "")
driver.Disconnect

' A failing call: reading with no instrument connected.
On Error Resume Next
reply = driver.GetString()
WScript.Echo "GetString after Disconnect fails with Err.Number " & Err.Number & ": " & Err.Description
