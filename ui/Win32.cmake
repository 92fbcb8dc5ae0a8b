# The Win32 window library: the window framework, FormMain (the frame), its panels (one file pair
# per main tab in main/panels), the smaller forms, and the resource script (icons, version
# information, the common-controls 6 manifest). The script is an interface source, so every
# program that links vestra_ui compiles it into itself.
vestra_library(vestra_ui
  SOURCES
    framework/Window.cpp framework/Controls.cpp framework/Panel.cpp framework/Gdi.cpp
    framework/Dialogs.cpp
    main/MainWindow.cpp main/ControlKit.cpp main/ListEvents.cpp
    main/FormMain.cpp main/FormMainFrame.cpp main/FormMainPanels.cpp
    main/panels/ScannerPanel.cpp main/panels/ScannerPanelRun.cpp main/panels/ScannerPanelFix.cpp
    main/panels/ScannerPanelRegistry.cpp main/panels/TargetTreeView.cpp
    main/panels/ProtectionPanel.cpp main/panels/UpdatePanel.cpp main/panels/ToolsPanel.cpp
    main/panels/QuarantinePanel.cpp main/panels/SettingsPanel.cpp main/panels/AboutPanel.cpp
    main/panels/tools/OneVirusPage.cpp main/panels/tools/ProcessManagerPage.cpp
    main/panels/tools/SystemEditorPage.cpp main/panels/tools/WinForcePage.cpp
    main/panels/tools/VestLockPage.cpp
    forms/FormPassword.cpp forms/FormException.cpp forms/FormCorner.cpp forms/FormProcessTree.cpp
    forms/FormFileProp.cpp forms/FormAlert.cpp forms/FormConfirm.cpp
    host/FormRTP.cpp host/TrayIcon.cpp
  DEPS vestra_process_commands vestra_ui_model vestra_settings vestra_app vestra_config vestra_scan_targets vestra_scan_run vestra_hidden_paths vestra_cleaning vestra_cage vestra_scan_log vestra_file_properties vestra_registry_scan
       vestra_system_checks vestra_startup_folders vestra_heuristics_kit vestra_autorun vestra_alerts vestra_drive_lock vestra_uservir vestra_protection_host vestra_platform_win32 comctl32 comdlg32 shell32 ole32
       gdi32 user32)
target_sources(vestra_ui INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/resources/Vestra.rc)
