' Vestra test sample: looks like a mass-mailing script worm, but it only shows a message.
' VESTRA-TEST-SAMPLE LOVELINES-WORM
WScript.Echo "Harmless Vestra test sample"
