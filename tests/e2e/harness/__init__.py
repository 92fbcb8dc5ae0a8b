"""The end-to-end harness: drives Windows programs under Wine through winauto.exe."""
