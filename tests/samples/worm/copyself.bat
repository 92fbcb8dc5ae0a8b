@echo off
rem Vestra test sample: looks like a batch worm that copies itself to every drive, but it only echoes.
rem VESTRA-TEST-SAMPLE  COPYSELF-WORM v1
echo Harmless Vestra test sample
