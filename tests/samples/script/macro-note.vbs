' Vestra test sample: looks like a script virus that appends itself to other scripts, but it only shows a message.
' VESTRA-TEST-SAMPLE SCRIPT-VIRUS
MsgBox "Harmless Vestra test sample"
